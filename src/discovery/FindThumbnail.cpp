#include "FindThumbnail.h"

#include "DensityRenderer.h"

#include <algorithm>

namespace zephyra {

namespace {
// Points per thumbnail pixel: enough for a smooth log density at a glance, cheap enough for a
// worker to draw between two finds.
constexpr int POINTS_PER_PIXEL = 24;

DensityOptions ThumbnailOptions(int size)
{
    DensityOptions options;
    options.width = options.height = size;
    options.supersample = 2;
    options.points = static_cast<std::uint64_t>(size) * size * POINTS_PER_PIXEL;
    options.palette = Palette::Inferno;
    options.threads = 1;
    options.fit = true; // whatever the find's camera, the tile shows all of it
    return options;
}
} // namespace

std::optional<Picture> RenderFindThumbnail(const Find& find, int size, std::stop_token stop)
{
    DensityScene scene;
    scene.code = find.code;
    if (!find.exactCoefficients.empty())
        scene.coefficients = find.exactCoefficients;
    scene.exactPoints = find.pointsCount;
    scene.display = find.display;
    DensityResult result;
    return RenderDensityPicture(scene, ThumbnailOptions(size), std::move(stop), {}, result);
}

std::uint64_t FindThumbnailBytes(std::int32_t points, int size)
{
    const DensityOptions options = ThumbnailOptions(size);
    // The orbit's points and the starts of the free-running orbits, one point each.
    const std::uint64_t orbit = 2 * static_cast<std::uint64_t>(std::max(points, 0)) * sizeof(Point);
    const std::uint64_t canvas = StripRowBytes(options, 1, false) * static_cast<std::uint64_t>(size);
    return orbit + canvas +
           static_cast<std::uint64_t>(size) * static_cast<std::uint64_t>(size) * options.PixelBytes();
}

} // namespace zephyra
