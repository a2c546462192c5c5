#pragma once
#include "Picture.h"
#include "SceneStyle.h"

#include <cstddef>
#include <cstdint>

namespace zephyra {

class Attractor;
struct PointBuffer;

// Draws the attractor into the rectangle of the picture without OpenGL, one pixel per point, over
// the background: the same projection (4D turn included) as the screen, no depth test (later points win), no
// box and no cross. Points whose clip w is exactly 0 are skipped; a buffer that is not ready draws none.
// Returns the number of points that fell inside the picture.
std::int64_t PrintPoints(const Attractor& attractor, const PointBuffer& buffer, const ViewFlags& flags,
                         const AttractorDefaults& defaults, Picture& image, const PixelRect& rect);

// Narrows a page area to the proportions of a view whose client area is clientWidth x clientHeight,
// as large as the page allows; the top-left corner stays.
[[nodiscard]] PixelRect FitToWindow(const PixelRect& page, int clientWidth, int clientHeight);

// The point renderer keeps its picture within about 256 MB of RGB pixels, as a printout is, and
// within this many pixels a side.
inline constexpr std::size_t LARGEST_POINT_PICTURE_BYTES = std::size_t{256} << 20;
inline constexpr int LARGEST_POINT_PICTURE_SIDE = 16384;

// The largest picture of the rectangle's proportions that stays within maxBytes of RGB pixels:
// the scale (at most 1) to apply to its width and height.
[[nodiscard]] double ImageScaleWithin(int width, int height, std::size_t maxBytes);

} // namespace zephyra
