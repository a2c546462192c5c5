#include "SceneStyle.h"

#include "Attractor.h"

#include <algorithm>

namespace zephyra {

namespace {

constexpr float BOX_SHIFT = 0.15f;

bool IsCoordinate(int choice)
{
    return choice >= COORD_X && choice <= COORD_W;
}

const DisplaySettings& DefaultsFor(int dimension, const AttractorDefaults& defaults)
{
    if (dimension == 3)
        return defaults.defaults3D;
    if (dimension == 4)
        return defaults.defaults4D;
    return defaults.defaults2D;
}

} // namespace

SceneColors ChooseColors(const Attractor& attractor, const ViewFlags& flags,
                         const AttractorDefaults& defaults)
{
    SceneColors colors;
    if (!flags.blackWhite) {
        const DisplaySettings& source =
            flags.defaultColors ? DefaultsFor(attractor.dimension, defaults) : attractor.display;
        colors.background = source.bgColor;
        colors.foreground = source.fgColor;
    }
    for (int c = 0; c < 3; ++c) {
        const float b = colors.background[c];
        colors.box[c] = b > 0.5f ? b - BOX_SHIFT : b + BOX_SHIFT;
    }
    return colors;
}

Vector4 AffineMap::Apply(const Vector4& p) const
{
    Vector4 r = Transform(linear, p);
    for (int i = 0; i < 4; ++i)
        r[i] += offset[i];
    return r;
}

AffineMap AxisMapping(const DisplaySettings& display)
{
    AffineMap map;
    const int choices[3] = {display.coordX, display.coordY, display.coordZ};
    for (int row = 0; row < 3; ++row)
        if (IsCoordinate(choices[row]))
            map.linear[choices[row] * 4 + row] = 1.0f;
    map.offset[3] = 1.0f;
    return map;
}

AffineMap TurnedAxisMapping(const DisplaySettings& display, const CameraPose& camera)
{
    AffineMap map = AxisMapping(display);
    map.linear = Multiply(map.linear, Turn4DMatrix(camera));
    return map;
}

AffineMap ColorMapping(const DisplaySettings& display, const Rgb& foreground, bool blackWhite)
{
    AffineMap map;
    map.offset[3] = 1.0f;
    if (blackWhite)
        return map;
    const int choices[3] = {display.colorR, display.colorG, display.colorB};
    for (int row = 0; row < 3; ++row) {
        const float half = 0.5f * foreground[row];
        if (IsCoordinate(choices[row])) {
            map.linear[choices[row] * 4 + row] = half;
            map.offset[row] = half;
        } else {
            map.offset[row] = foreground[row];
        }
    }
    return map;
}

int DrawnPointEnd(int pointsCount, int bufferCount, bool dragging, bool adaptive)
{
    int end = std::min(pointsCount, bufferCount);
    if (dragging && adaptive)
        end = std::min(end, DEGRADED_POINTS);
    return std::max(end, 0);
}

} // namespace zephyra
