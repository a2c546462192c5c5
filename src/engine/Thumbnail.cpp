#include "Iterate.h"
#include "OrbitBounds.h"
#include "PointGeneration.h"

#include <array>

namespace zephyra {

namespace {
constexpr int THUMBNAIL_STEPS = 1000;
constexpr double HALF_SIZE = 15.5;
constexpr std::uint8_t GREY_STEP = 15;

// Truncation toward zero of a pixel coordinate; a non-finite or far-off value gives 0.
int PixelCoordinate(double v)
{
    return v > -1.0e6 && v < 1.0e6 ? static_cast<int>(v) : 0;
}
} // namespace

void UpdateThumbnail(Attractor& attractor)
{
    if (!attractor.valid)
        return;
    const StepFunction step = SelectStep(attractor.kind, attractor.dimension, attractor.order);
    if (!step || static_cast<int>(attractor.coefficients.size()) != attractor.codeLength)
        return;

    const std::vector<float> a = attractor.OrbitCoefficients();
    std::array<Point, THUMBNAIL_STEPS> points;
    OrbitBounds bounds;
    const DisplaySettings& d = attractor.display;
    Point p{d.x0, d.y0, d.z0, d.w0};
    for (int i = 0; i < THUMBNAIL_STEPS; ++i) {
        step(a.data(), attractor.pointsCount, p, points[i], i);
        p = points[i];
        bounds.Add(p, i, TRANSIENT_POINTS);
    }
    NormalizePoints(points.data(), THUMBNAIL_STEPS, bounds.min, bounds.max);

    Thumbnail& pixels = attractor.thumbnail;
    pixels.fill(255);
    for (int i = TRANSIENT_POINTS; i < THUMBNAIL_STEPS; ++i) {
        const int col = PixelCoordinate((points[i][0] + 1.0) * HALF_SIZE);
        const int row = PixelCoordinate(HALF_SIZE - HALF_SIZE * points[i][1]);
        int index = 3 * (col + THUMBNAIL_SIZE * row);
        // Columns past the edge run into the next row; indices past either end land on the last
        // pixel (above) or the first (below, only reachable by transient-like outliers).
        if (index >= THUMBNAIL_BYTES)
            index = THUMBNAIL_BYTES - 3;
        else if (index < 0)
            index = 0;
        std::uint8_t* pixel = &pixels[static_cast<std::size_t>(index)];
        const bool lastStep = pixel[0] < GREY_STEP;
        for (int c = 0; c < 3; ++c)
            pixel[c] = lastStep ? 0 : static_cast<std::uint8_t>(pixel[c] - GREY_STEP);
    }
}

} // namespace zephyra
