#include "MemoryBudget.h"

#include "AnimationFrames.h"
#include "DensityRenderer.h"
#include "Point.h"

#include <algorithm>

namespace zephyra {

namespace {

constexpr std::uint64_t MIB = std::uint64_t{1} << 20;
// zlib's window and hash chains, libpng's rows, libwebp's tables: a little beside the pictures.
constexpr std::uint64_t ENCODER_STATE = MIB;
// The lossy WebP encoder holds the frame as ARGB, its previous and disposed canvases and the
// candidates it compares: about 14 bytes a pixel were measured, 16 are counted.
constexpr std::uint64_t WEBP_BYTES_A_PIXEL = 16;

std::uint64_t Pixels(int width, int height)
{
    return static_cast<std::uint64_t>(std::max(width, 0)) * static_cast<std::uint64_t>(std::max(height, 0));
}

std::uint64_t PictureBytes(const DensityOptions& o)
{
    return Pixels(o.width, o.height) * o.PixelBytes();
}

// A PNG file's bytes as they grow in memory: attractors compress far better than this (a 4K
// density picture to under 1 %), but noise may not, and the buffer doubles as it grows.
std::uint64_t EncodedBytes(std::uint64_t rawBytes)
{
    return rawBytes / 2 + ENCODER_STATE;
}

std::string MiB(std::uint64_t bytes)
{
    return std::to_string((bytes + MIB - 1) / MIB) + " MiB";
}

std::string Size(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

// Gives the canvases what `available` leaves beside `fixed` bytes, within the limit asked for;
// false when that cannot hold strips of one row (`leastCanvas` bytes).
bool FitCanvas(DensityOptions& o, std::uint64_t fixed, std::uint64_t leastCanvas, std::uint64_t available)
{
    // Strips take seven eighths of the canvas memory, the rest is kept for the exact orbit.
    const std::uint64_t leastLimit = leastCanvas + leastCanvas / 7 + 8;
    if (available != 0 && (fixed > available || available - fixed < leastLimit))
        return false;
    if (available != 0)
        o.memoryLimit = static_cast<std::size_t>(std::min<std::uint64_t>(o.memoryLimit, available - fixed));
    return true;
}

} // namespace

std::string MemoryRefusal(const std::string& what, std::uint64_t need, std::uint64_t available)
{
    return "not enough memory for " + what + ": it needs at least " + MiB(need) + ", " + MiB(available) +
           " can be had";
}

std::string FitDensityPicture(DensityOptions& o, std::uint64_t available)
{
    const bool colors = o.palette == Palette::Coordinates;
    const std::uint64_t fixed = EncodedBytes(PictureBytes(o));
    const std::uint64_t leastCanvas = StripRowBytes(o, WorkerCount(o.threads), colors);
    if (FitCanvas(o, fixed, leastCanvas, available))
        return {};
    return MemoryRefusal("a " + Size(o.width, o.height) + " density picture", fixed + leastCanvas, available);
}

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
                             Size(o.width, o.height),
                         fixed + leastCanvas, available);
}

std::string PointPictureRefusal(int width, int height, std::int64_t points, std::uint64_t available)
{
    const std::uint64_t picture = Pixels(width, height) * 3;
    const std::uint64_t need = static_cast<std::uint64_t>(std::max<std::int64_t>(points, 0)) * sizeof(Point) +
                               picture + EncodedBytes(picture);
    if (available == 0 || need <= available)
        return {};
    return MemoryRefusal("a " + Size(width, height) + " picture of " + std::to_string(points) + " points",
                         need, available);
}

} // namespace zephyra
