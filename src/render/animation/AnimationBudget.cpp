#include "AnimationBudget.h"

#include "AnimationFrames.h"
#include "CanvasBudget.h"
#include "DensityRenderer.h"

namespace zephyra {

namespace {
// The lossy WebP encoder holds the frame as ARGB, its previous and disposed canvases and the
// candidates it compares: about 14 bytes a pixel were measured, 16 are counted.
constexpr std::uint64_t WEBP_BYTES_A_PIXEL = 16;
} // namespace

std::string FitAnimation(DensityOptions& o, int frames, bool webp, std::uint64_t available)
{
    const FrameParallelism parallel = PlanFrameParallelism(o.threads, frames);
    const bool colors = o.palette == Palette::Coordinates;
    DensityOptions each = o;
    each.threads = parallel.threadsEach;
    const std::uint64_t frameBytes = PictureBytes(o);
    const std::uint64_t pixels = Pixels(o.width, o.height);
    // 16-bit frames are copied to 8 bits for the WebP encoder (half their bytes); PNG frames are
    // encoded one by one.
    const std::uint64_t encoder =
        webp ? pixels * WEBP_BYTES_A_PIXEL + (o.depth == 16 ? frameBytes / 2 : 0) : EncodedBytes(frameBytes);
    const std::uint64_t fixed = frameBytes * static_cast<std::uint64_t>(parallel.held) + encoder;
    const std::uint64_t leastCanvas =
        StripRowBytes(each, parallel.threadsEach, colors) * static_cast<std::uint64_t>(parallel.workers);
    if (FitCanvas(o, fixed, leastCanvas, available))
        return {};
    return MemoryRefusal(std::string(webp ? "a WebP animation" : "PNG frames") + " of " +
                             SizeText(o.width, o.height),
                         fixed + leastCanvas, available);
}

} // namespace zephyra
