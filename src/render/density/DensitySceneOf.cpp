#include "DensitySceneOf.h"

#include "Attractor.h"

#include <algorithm>

namespace zephyra {

namespace {

constexpr std::int32_t DEFAULT_EXACT_POINTS = 50000;

} // namespace

DensityScene DensitySceneOf(const Attractor& attractor, const ViewFlags& flags,
                            const AttractorDefaults& defaults, std::int32_t exactPointsLimit)
{
    DensityScene scene;
    scene.code = attractor.code;
    if (attractor.HasExactCoefficients())
        scene.coefficients = attractor.exactCoefficients;
    scene.exactPoints =
        std::min(attractor.pointsCount > FIRST_DRAWN_POINT ? attractor.pointsCount : DEFAULT_EXACT_POINTS,
                 std::max(exactPointsLimit, FIRST_DRAWN_POINT + 1));
    scene.display = attractor.display;
    const SceneColors colors = ChooseColors(attractor, flags, defaults);
    scene.display.bgColor = colors.background;
    scene.display.fgColor = colors.foreground;
    scene.camera = CameraPose::Of(attractor);
    return scene;
}

} // namespace zephyra
