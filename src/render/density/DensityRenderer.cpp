#include "DensityRenderer.h"

#include "CanvasProjection.h"
#include "DensityCanvas.h"
#include "DensityOptionTable.h"
#include "DensityResolve.h"
#include "DepthShade.h"
#include "ExactOrbit.h"
#include "OrbitFraming.h"
#include "OrbitPass.h"

#include <algorithm>
#include <climits>
#include <thread>

namespace zephyra {

namespace {

DensityResult Failed(std::string error)
{
    return {DensityResult::Outcome::Failed, std::move(error)};
}

std::string CheckOptions(const DensityOptions& o)
{
    if (o.width < 1 || o.height < 1 || o.width > LARGEST_DENSITY_SIDE || o.height > LARGEST_DENSITY_SIDE)
        return "the picture must be 1 to " + std::to_string(LARGEST_DENSITY_SIDE) + " pixels a side";
    return DensityOptionsProblem(o);
}

// The picture rows a strip of this canvas may hold within the memory limit; the whole picture
// when it fits.
// The picture rows beyond its own that a strip draws for its smoothing and shade to reach into,
// above and below.
int Reach(const DensityOptions& o)
{
    return std::max(o.smooth > 0.0f ? SmoothingReach(o.smooth) : 0, o.shade ? ShadeReach() : 0);
}

int StripRows(const DensityOptions& o, int workers, bool colors)
{
    std::size_t rows =
        std::max<std::size_t>(1, StripMemory(o.memoryLimit) / StripRowBytes(o, workers, colors));
    const auto wordsPerRow =
        static_cast<std::size_t>(o.width) * DensityCanvas::PixelWords(o.supersample, colors, o.shade);
    rows = std::min(rows, static_cast<std::size_t>(INT_MAX) / wordsPerRow); // word offsets stay in int
    if (rows >= static_cast<std::size_t>(o.height))
        return o.height;
    const auto reach = static_cast<std::size_t>(Reach(o));
    return static_cast<int>(rows > 2 * reach ? rows - 2 * reach : 1);
}

// Points for which a worker's canvas pays: the system zeroes a canvas's pages (66 MB at 1920 x
// 1080, S = 2) and the merge reads them, which takes longer than a core needs for this many points.
constexpr std::uint64_t POINTS_A_CANVAS = 8'000'000;

// The orbit workers: every worker, but fewer for few points, so that a quick picture is not
// spent zeroing and merging canvases. The picture does not depend on their number.
int CanvasCount(const DensityOptions& o, int workers)
{
    return static_cast<int>(
        std::clamp<std::uint64_t>(o.points / POINTS_A_CANVAS, 1, static_cast<std::uint64_t>(workers)));
}

class Renderer {
public:
    Renderer(const DensityScene& scene, const DensityOptions& options, std::stop_token stop,
             const DensityProgress& progress)
        : scene_(scene), options_(options), stop_(std::move(stop)), progress_(progress),
          workers_(WorkerCount(options.threads)), canvases_(CanvasCount(options, workers_))
    {
    }

    DensityResult Run(const StripSink& sink)
    {
        if (std::string error = CheckOptions(options_); !error.empty())
            return Failed(error);
        const bool colors = options_.palette == Palette::Coordinates;
        const int rows = StripRows(options_, canvases_, colors);
        plan_ = PlanOrbits(options_.points, options_.seed);
        // The system zeroes a canvas's pages at their first touch, tens of milliseconds of a core
        // for a large picture: one core has that done while another computes the exact orbit and
        // frames the picture, which only one can do. A depth shade waits for the orbit's dimension.
        std::jthread prepare;
        if (rows >= options_.height && !options_.shade)
            prepare = std::jthread([this, colors] { Prepare(colors); });
        if (DensityResult r = ComputeOrbitSource(scene_, options_.seed, stop_, source_);
            r.outcome != DensityResult::Outcome::Finished)
            return r;
        const int S = options_.supersample;
        const float aspect = static_cast<float>(options_.width) / static_cast<float>(options_.height);
        full_ = ProjectionFor(options_.fit ? FramedScene(scene_, source_, aspect) : scene_, source_,
                              options_.width * S, options_.height * S);
        depth_ = options_.shade && source_.dimension > 2;
        if (depth_)
            SetDepthRange(full_, source_);
        style_ = StyleOf(options_, scene_.display.bgColor);
        if (prepare.joinable())
            prepare.join();
        if (rows >= options_.height) {
            totalBlocks_ = plan_.blocks;
            DensityHistogram histogram(UnitsPerHit(), options_.tone == ToneMap::EqualizedHistogram);
            if (!Draw(0, options_.height, colors, depth_))
                return Cancelled();
            const CanvasStrip strip = Strip(0, options_.height);
            CountPixels(strip, histogram, workers_);
            ResolveStrip(strip, ToneCurve(options_.tone, options_.gamma, histogram), style_, workers_, sink);
            return {DensityResult::Outcome::Finished, {}};
        }
        // Too large for one canvas: a first run of the strips gathers the densities of the whole
        // picture for the tone map, a second draws them.
        const int countRows = StripRows(options_, canvases_, false);
        totalBlocks_ = plan_.blocks * (StripCount(countRows) + StripCount(rows));
        DensityHistogram histogram(UnitsPerHit(), options_.tone == ToneMap::EqualizedHistogram);
        for (int top = 0; top < options_.height; top += countRows) {
            const int n = std::min(countRows, options_.height - top);
            if (!Draw(top, n, false, false))
                return Cancelled();
            CountPixels(Strip(top, n), histogram, workers_);
        }
        const ToneCurve curve(options_.tone, options_.gamma, histogram);
        for (int top = 0; top < options_.height; top += rows) {
            const int n = std::min(rows, options_.height - top);
            if (!Draw(top, n, colors, depth_))
                return Cancelled();
            ResolveStrip(Strip(top, n), curve, style_, workers_,
                         [&](const Picture& band, int first) { sink(band, top + first); });
        }
        return {DensityResult::Outcome::Finished, {}};
    }

private:
    [[nodiscard]] std::uint64_t StripCount(int rows) const
    {
        return static_cast<std::uint64_t>((options_.height + rows - 1) / rows);
    }

    DensityResult Cancelled() const
    {
        if (stop_.stop_requested())
            return {DensityResult::Outcome::Cancelled, {}};
        return Failed("Not enought memory!");
    }

    // Smoothed densities have fractions: the histogram counts them in 1/256 hits.
    [[nodiscard]] int UnitsPerHit() const { return options_.smooth > 0.0f ? 256 : 1; }

    // The canvas and smoothing of the whole picture in one strip without a depth shade, zeroed now.
    void Prepare(bool colors)
    {
        const std::size_t pixels =
            static_cast<std::size_t>(options_.height) * static_cast<std::size_t>(options_.width);
        prepared_ = AllocateCanvas(pixels, colors, false);
        if (prepared_)
            canvas_.Touch();
        if (prepared_ && options_.smooth > 0.0f)
            prepared_ = PrepareSmoothing(pixels, options_.supersample, colors, smoothed_);
    }

    [[nodiscard]] bool AllocateCanvas(std::size_t pixels, bool colors, bool depth)
    {
        return canvas_.Allocate(pixels, options_.supersample, canvases_, colors, depth,
                                plan_.blocks * ORBIT_LANES * plan_.blockSteps);
    }

    // The picture rows a strip from `top` draws above it, for the smoothing and shade to reach into.
    [[nodiscard]] int Above(int top) const { return std::min(top, Reach(options_)); }
    [[nodiscard]] int Below(int end) const { return std::min(options_.height - end, Reach(options_)); }

    // Draws every orbit into the canvas rows of picture rows [top, top + rows), and the rows the
    // smoothing and shade reach into around them, then smooths and shades them.
    bool Draw(int top, int rows, bool colors, bool depth)
    {
        const int above = Above(top);
        rows += above + Below(top + rows);
        top -= above;
        const int S = options_.supersample;
        CanvasProjection pr = full_;
        pr.top = top * S;
        pr.rows = rows * S;
        pr.supersample = S;
        const LaneKernel kernel = SelectLaneKernel(source_, colors);
        const bool allocated = prepared_ || AllocateCanvas(static_cast<std::size_t>(rows) *
                                                               static_cast<std::size_t>(options_.width),
                                                           colors, depth);
        prepared_ = false;
        if (!kernel || !allocated)
            return false;
        if (!RunOrbitPass(source_, pr, plan_, kernel, canvas_, canvases_, stop_, blocksDone_,
                          [this] { Tick(); }))
            return false;
        canvas_.Merge(workers_);
        if (depth && !ShadeCells(canvas_.Sum(), options_.width, rows, workers_, shade_))
            return false;
        return options_.smooth <= 0.0f ||
               SmoothCells(canvas_.Sum(), options_.width, rows, top, options_.smooth, workers_, smoothed_);
    }

    // The strip of picture rows [top, top + rows) just drawn.
    [[nodiscard]] CanvasStrip Strip(int top, int rows) const
    {
        return {canvas_.Sum(),
                options_.width,
                rows,
                options_.supersample,
                Above(top),
                options_.smooth > 0.0f ? &smoothed_ : nullptr,
                canvas_.Sum().depthWords ? &shade_ : nullptr};
    }

    void Tick() const
    {
        if (progress_ && totalBlocks_)
            progress_(static_cast<double>(blocksDone_.load()) / static_cast<double>(totalBlocks_));
    }

    const DensityScene& scene_;
    const DensityOptions& options_;
    std::stop_token stop_;
    const DensityProgress& progress_;
    const int workers_;
    const int canvases_; // the orbit workers, each with a canvas of its own
    OrbitSource source_;
    CanvasProjection full_;
    OrbitPlan plan_;
    ResolveStyle style_;
    DensityCanvas canvas_;
    SmoothedCells smoothed_;
    bool depth_ = false;    // a depth shade drawn with the colours
    bool prepared_ = false; // the canvas (and smoothing) of the next Draw are allocated and zeroed
    ZeroedFloats shade_;
    std::atomic<std::uint64_t> blocksDone_{0};
    std::uint64_t totalBlocks_ = 0;
};

} // namespace

DensityResult RenderDensity(const DensityScene& scene, const DensityOptions& options, std::stop_token stop,
                            const DensityProgress& progress, const StripSink& sink)
{
    Renderer renderer(scene, options, std::move(stop), progress);
    return renderer.Run(sink);
}

std::optional<Picture> RenderDensityPicture(const DensityScene& scene, const DensityOptions& options,
                                            std::stop_token stop, const DensityProgress& progress,
                                            DensityResult& result)
{
    Picture picture;
    result = RenderDensity(scene, options, std::move(stop), progress, [&](const Picture& strip, int top) {
        if (top == 0)
            picture = Picture(options.width, options.height, options.depth, strip.Channels());
        for (int y = 0; y < strip.Height(); ++y)
            std::copy(strip.Row(y), strip.Row(y) + strip.RowBytes(), picture.Row(top + y));
    });
    if (result.outcome != DensityResult::Outcome::Finished)
        return std::nullopt;
    return picture;
}

std::size_t StripRowBytes(const DensityOptions& o, int workers, bool colors)
{
    const std::size_t canvasRowBytes =
        static_cast<std::size_t>(o.width) *
        (DensityCanvas::PixelBytes(o.supersample, colors, o.shade) * static_cast<std::size_t>(workers) +
         (o.smooth > 0.0f ? SmoothingPixelBytes(o.supersample, colors) : 0) +
         (o.shade ? ShadePixelBytes() : 0));
    // Each picture row also holds its resolved pixels until they are handed over.
    return canvasRowBytes + static_cast<std::size_t>(o.width) * o.PixelBytes();
}

std::size_t StripMemory(std::size_t memoryLimit)
{
    // An eighth of the limit stays for the exact orbit and what the caller keeps (the encoded picture).
    return memoryLimit / 8 * 7;
}

int WorkerCount(int threads)
{
    const int cores = threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, MOST_THREADS);
}

} // namespace zephyra
