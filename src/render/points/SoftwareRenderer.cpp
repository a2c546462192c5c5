#include "SoftwareRenderer.h"

#include "Attractor.h"
#include "Camera.h"
#include "PointBuffer.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

float Coordinate(const Point& p, int choice)
{
    return choice >= 0 && choice < 4 ? p[choice] : 0.0f;
}

// Channel byte trunc(c x scaled foreground) with c = 1 for "one", else (v + 1) x 0.5.
std::uint8_t PointChannel(const Point& p, int choice, float scaledForeground)
{
    const float c = choice >= 0 && choice < 4 ? (p[choice] + 1.0f) * 0.5f : 1.0f;
    return TruncatedByte(c * scaledForeground);
}

// trunc(v) when that falls inside the picture's 0..size - 1; false otherwise, also for NaN and
// infinities, whose conversion to int would be undefined.
bool PixelIndex(float v, int size, int& index)
{
    if (!(v > -1.0f && v < static_cast<float>(size)))
        return false;
    index = static_cast<int>(v);
    return true;
}

} // namespace

std::int64_t PrintPoints(const Attractor& attractor, const PointBuffer& buffer, const ViewFlags& flags,
                         const AttractorDefaults& defaults, Picture& image, const PixelRect& rect)
{
    const SceneColors colors = ChooseColors(attractor, flags, defaults);
    image.Fill(rect, colors.background);
    const int width = rect.Width(), height = rect.Height();
    if (width <= 0 || height <= 0 || !buffer.ready || !buffer.points)
        return 0;
    std::int64_t drawn = 0;
    Rgb scaled{};
    for (int c = 0; c < 3; ++c)
        scaled[c] = flags.blackWhite ? 0.0f : colors.foreground[c] * 255.0f;
    const float cx = static_cast<float>(rect.left) + 0.5f * static_cast<float>(width);
    const float cy = static_cast<float>(rect.top) + 0.5f * static_cast<float>(height);
    const CameraPose pose = CameraPose::Of(attractor);
    const Matrix4 m = SceneMatrix(pose, static_cast<float>(width) / static_cast<float>(height));
    const DisplaySettings& d = attractor.display;
    const AffineMap turned = TurnedAxisMapping(d, pose);
    const int end = DrawnPointEnd(attractor.pointsCount, buffer.count, false, false);
    for (int i = FIRST_DRAWN_POINT; i < end; ++i) {
        const Point& p = buffer.points[i];
        const Vector4 v =
            Transform(m, pose.Turns4D() ? turned.Apply(p)
                                        : Vector4{Coordinate(p, d.coordX), Coordinate(p, d.coordY),
                                                  Coordinate(p, d.coordZ), 1});
        if (v[3] == 0.0f)
            continue;
        const float ndcX = v[0] / v[3], ndcY = v[1] / v[3];
        int column = 0, row = 0;
        if (!PixelIndex(ndcX * static_cast<float>(width) * 0.5f + cx, image.Width(), column) ||
            !PixelIndex(cy - ndcY * static_cast<float>(height) * 0.5f, image.Height(), row))
            continue;
        image.Set(column, row, PointChannel(p, d.colorR, scaled[0]), PointChannel(p, d.colorG, scaled[1]),
                  PointChannel(p, d.colorB, scaled[2]));
        ++drawn;
    }
    return drawn;
}

PixelRect FitToWindow(const PixelRect& page, int clientWidth, int clientHeight)
{
    const ViewportSize window = ViewportFor(clientWidth, clientHeight);
    const float s = std::min(static_cast<float>(page.Width()) / static_cast<float>(window.width),
                             static_cast<float>(page.Height()) / static_cast<float>(window.height));
    PixelRect fitted = page;
    fitted.bottom = page.top + static_cast<int>(static_cast<float>(window.height) * s);
    fitted.right = page.left + static_cast<int>(static_cast<float>(window.width) * s);
    return fitted;
}

double ImageScaleWithin(int width, int height, std::size_t maxBytes)
{
    const double bytes = 3.0 * std::max(width, 1) * std::max(height, 1);
    return bytes <= static_cast<double>(maxBytes) ? 1.0 : std::sqrt(static_cast<double>(maxBytes) / bytes);
}

} // namespace zephyra
