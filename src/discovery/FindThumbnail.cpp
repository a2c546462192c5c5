#include "FindThumbnail.h"

#include "DensityRenderer.h"

namespace zephyra {

namespace {
// Points per thumbnail pixel: enough for a smooth log density at a glance, cheap enough for a
// worker to draw between two finds.
constexpr int POINTS_PER_PIXEL = 24;
} // namespace

std::optional<Picture> RenderFindThumbnail(const Find& find, int size, std::stop_token stop)
{
    DensityScene scene;
    scene.code = find.code;
    scene.exactPoints = find.pointsCount;
    scene.display = find.display;
    DensityOptions options;
    options.width = options.height = size;
    options.supersample = 2;
    options.points = static_cast<std::uint64_t>(size) * size * POINTS_PER_PIXEL;
    options.palette = Palette::Inferno;
    options.threads = 1;
    options.fit = true; // whatever the find's camera, the tile shows all of it
    DensityResult result;
    return RenderDensityPicture(scene, options, std::move(stop), {}, result);
}

} // namespace zephyra
