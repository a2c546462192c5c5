#include "AnimationFrames.h"

#include "Attractor.h"
#include "DensityResolve.h"
#include "ExactOrbit.h"
#include "OrbitFraming.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace zephyra {

namespace {

constexpr double TWO_PI = 6.283185307179586;

// The coefficients of morph frame `index`: a straight line between the ends, in double precision
// as the free-running orbits take them.
std::vector<double> MorphCoefficients(const std::vector<double>& from, const std::vector<double>& to,
                                      double t)
{
    std::vector<double> a(from.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = from[i] + t * (to[i] - from[i]);
    return a;
}

double MorphFraction(int index, int frames)
{
    return frames > 1 ? static_cast<double>(index) / static_cast<double>(frames - 1) : 0.0;
}

// A normalisation as centre and extent (1 / scale), which average sensibly.
struct Bounds {
    Point centre{};
    Point extent{};
};

// The exact orbit's bounds of every morph frame, nothing for a frame whose orbit diverges.
DensityResult MorphBounds(const AnimationPlan& plan, std::stop_token stop,
                          std::vector<std::optional<Bounds>>& bounds)
{
    bounds.assign(static_cast<std::size_t>(plan.frames), std::nullopt);
    for (int k = 0; k < plan.frames; ++k) {
        DensityScene scene = plan.scene;
        scene.coefficients =
            MorphCoefficients(plan.scene.coefficients.value(), *plan.morphTo, MorphFraction(k, plan.frames));
        OrbitSource source;
        const DensityResult r = ComputeOrbitSource(scene, plan.options.seed, stop, source);
        if (r.outcome == DensityResult::Outcome::Cancelled)
            return r;
        if (r.outcome != DensityResult::Outcome::Finished)
            continue;
        Bounds b;
        for (int i = 0; i < 4; ++i) {
            b.centre[i] = source.centre[i];
            b.extent[i] = 1.0f / source.scale[i];
        }
        bounds[static_cast<std::size_t>(k)] = b;
    }
    return {DensityResult::Outcome::Finished, {}};
}

Bounds Mix(const Bounds& a, const Bounds& b, float t)
{
    Bounds m;
    for (int i = 0; i < 4; ++i) {
        m.centre[i] = a.centre[i] + t * (b.centre[i] - a.centre[i]);
        m.extent[i] = a.extent[i] + t * (b.extent[i] - a.extent[i]);
    }
    return m;
}

// The smallest bounds holding every frame's bounds within `radius` frames of each frame.
std::vector<Bounds> Union(const std::vector<Bounds>& bounds, int radius)
{
    const int n = static_cast<int>(bounds.size());
    std::vector<Bounds> united(bounds.size());
    for (int k = 0; k < n; ++k) {
        Point low, high;
        for (int i = 0; i < 4; ++i) {
            low[i] = std::numeric_limits<float>::infinity();
            high[i] = -low[i];
        }
        for (int j = std::max(0, k - radius); j <= std::min(n - 1, k + radius); ++j)
            for (int i = 0; i < 4; ++i) {
                const Bounds& b = bounds[static_cast<std::size_t>(j)];
                low[i] = std::min(low[i], b.centre[i] - b.extent[i]);
                high[i] = std::max(high[i], b.centre[i] + b.extent[i]);
            }
        for (int i = 0; i < 4; ++i) {
            united[static_cast<std::size_t>(k)].centre[i] = 0.5f * (low[i] + high[i]);
            united[static_cast<std::size_t>(k)].extent[i] = 0.5f * (high[i] - low[i]);
        }
    }
    return united;
}

// Bounds that change smoothly and still hold each frame's attractor: diverging frames take the
// line between their neighbours; then the union of the bounds within twice the radius, averaged
// within the radius (about a twentieth of the animation), so every average holds the frame's own.
std::vector<Bounds> SmoothBounds(const std::vector<std::optional<Bounds>>& exact)
{
    const int n = static_cast<int>(exact.size());
    std::vector<Bounds> filled(exact.size());
    for (int k = 0; k < n; ++k) {
        int before = k, after = k;
        while (before >= 0 && !exact[static_cast<std::size_t>(before)])
            --before;
        while (after < n && !exact[static_cast<std::size_t>(after)])
            ++after;
        if (before < 0 && after >= n)
            return {}; // every frame diverges
        if (before < 0)
            before = after;
        if (after >= n)
            after = before;
        const float t =
            after == before ? 0.0f : static_cast<float>(k - before) / static_cast<float>(after - before);
        filled[static_cast<std::size_t>(k)] =
            Mix(*exact[static_cast<std::size_t>(before)], *exact[static_cast<std::size_t>(after)], t);
    }
    const int radius = std::max(1, n / 20);
    const std::vector<Bounds> united = Union(filled, 2 * radius);
    std::vector<Bounds> smooth(filled.size());
    for (int k = 0; k < n; ++k) {
        const int from = std::max(0, k - radius), to = std::min(n - 1, k + radius);
        Bounds sum;
        for (int j = from; j <= to; ++j)
            sum = Mix(sum, united[static_cast<std::size_t>(j)], 1.0f / static_cast<float>(j - from + 1));
        smooth[static_cast<std::size_t>(k)] = sum;
    }
    return smooth;
}

Picture Background(const DensityOptions& o, const Rgb& color)
{
    Picture picture(o.width, o.height, o.depth);
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x)
            for (int c = 0; c < 3; ++c)
                picture.SetSample(x, y, c, color[static_cast<std::size_t>(c)]);
    return picture;
}

// The scene of turntable frame `index`.
DensityScene TurnedScene(const AnimationPlan& plan, int index)
{
    DensityScene scene = plan.scene;
    const double turn = static_cast<double>(index) / plan.frames;
    scene.camera.yaw += static_cast<float>(plan.turnDegrees * turn);
    scene.camera.pitch += static_cast<float>(plan.pitchSwingDegrees * std::sin(TWO_PI * turn));
    if (scene.turnAxis >= 0)
        scene.camera.Turn4D(scene.turnAxis) += static_cast<float>(plan.turnDegrees * turn);
    return scene;
}

// The scene of frame `index`: turned, and for a morph with its coefficients and smoothed bounds.
DensityScene FrameScene(const AnimationPlan& plan, const std::vector<Bounds>& bounds, int index)
{
    DensityScene scene = TurnedScene(plan, index);
    if (!plan.morphTo)
        return scene;
    scene.coefficients =
        MorphCoefficients(plan.scene.coefficients.value(), *plan.morphTo, MorphFraction(index, plan.frames));
    if (!bounds.empty()) {
        const Bounds& b = bounds[static_cast<std::size_t>(index)];
        Point scale;
        for (int i = 0; i < 4; ++i)
            scale[i] = 1.0f / b.extent[i];
        scene.normalisation = std::pair{b.centre, scale};
    }
    return scene;
}

// Frames the plan's camera once for the whole animation, from the orbits of frames spread over
// it (each frame's turn, and for a morph its own orbit), so that no frame cuts the attractor off
// and the camera does not jump between frames.
DensityResult FrameAnimation(AnimationPlan& plan, const std::vector<Bounds>& bounds, std::stop_token stop)
{
    constexpr int LOOKS = 24;             // frames looked at
    constexpr std::size_t POINTS = 20000; // points of each
    const int looks = std::min(plan.frames, LOOKS);
    OrbitFraming framing;
    OrbitSource source;
    for (int j = 0; j < looks; ++j) {
        const int k = plan.frames > 1 ? j * (plan.frames - 1) / std::max(1, looks - 1) : 0;
        const DensityScene scene = FrameScene(plan, bounds, k);
        if (j == 0 || plan.morphTo) {
            const DensityResult r = ComputeOrbitSource(scene, plan.options.seed, stop, source);
            if (r.outcome == DensityResult::Outcome::Cancelled ||
                (r.outcome != DensityResult::Outcome::Finished && !plan.morphTo))
                return r;
            if (r.outcome != DensityResult::Outcome::Finished)
                continue; // a diverging morph frame is drawn as background
        }
        framing.Add(scene, source, POINTS);
    }
    const float aspect = static_cast<float>(plan.options.width) / static_cast<float>(plan.options.height);
    plan.scene.camera = framing.Fit(plan.scene.camera, aspect);
    plan.options.fit = false;
    return {DensityResult::Outcome::Finished, {}};
}

// Several frames at once, each on a share of the cores, so that what one frame does on one thread
// (its exact orbit, merging and resolving its canvas) overlaps the others. Finished frames wait
// for their turn; the calling thread hands them over in order and reports progress, and workers
// never run more than a few frames ahead, so memory does not grow with the number of frames.
class FramePipeline {
public:
    FramePipeline(const AnimationPlan& plan, std::vector<Bounds> bounds, std::stop_token stop)
        : plan_(plan), bounds_(std::move(bounds)), stopLink_(std::move(stop), [this] { Stop(); })
    {
        const FrameParallelism parallel = PlanFrameParallelism(plan.options.threads, plan.frames);
        workers_ = parallel.workers;
        held_ = parallel.held;
        options_ = plan.options;
        options_.threads = parallel.threadsEach;
        options_.memoryLimit =
            std::max<std::size_t>(1, plan.options.memoryLimit / static_cast<std::size_t>(workers_));
        fractions_ = std::make_unique<std::atomic<double>[]>(static_cast<std::size_t>(workers_));
    }

    DensityResult Run(const DensityProgress& progress, const FrameNote& note, const FrameSink& sink)
    {
        {
            std::vector<std::jthread> threads;
            for (int w = 0; w < workers_; ++w)
                threads.emplace_back([this, w] { Work(w); });
            for (int k = 0; k < plan_.frames && !stop_.stop_requested(); ++k) {
                Finished frame = Await(k, progress);
                if (!frame.picture)
                    break;
                if (frame.diverged)
                    note("frame " + std::to_string(k + 1) + ": the orbit diverges; drawn as background");
                if (!sink(*frame.picture, k)) {
                    Fail({DensityResult::Outcome::Failed, {}});
                    break;
                }
                std::lock_guard lock(mutex_);
                ++handed_;
                changed_.notify_all();
            }
            Stop(); // the frames are all handed over, or none more will be
        }
        if (failure_)
            return *failure_;
        if (handed_ < plan_.frames)
            return {DensityResult::Outcome::Cancelled, {}};
        return {DensityResult::Outcome::Finished, {}};
    }

private:
    struct Finished {
        std::optional<Picture> picture;
        bool diverged = false;
    };

    // Frame k once a worker has finished it, reporting progress meanwhile; nothing after a stop.
    Finished Await(int k, const DensityProgress& progress)
    {
        std::unique_lock lock(mutex_);
        while (!stop_.stop_requested() && !done_.count(k)) {
            changed_.wait_for(lock, std::chrono::milliseconds(100));
            if (progress) {
                double sum = handed_ + static_cast<double>(done_.size());
                for (int w = 0; w < workers_; ++w)
                    sum += fractions_[static_cast<std::size_t>(w)].load();
                lock.unlock();
                progress(std::min(1.0, sum / plan_.frames));
                lock.lock();
            }
        }
        if (!done_.count(k))
            return {};
        Finished frame = std::move(done_[k]);
        done_.erase(k);
        return frame;
    }

    void Work(int w)
    {
        std::atomic<double>& fraction = fractions_[static_cast<std::size_t>(w)];
        const Rgb background = StyleOf(plan_.options, plan_.scene.display.bgColor).background;
        for (;;) {
            int k;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stop_.stop_requested() || next_ < handed_ + held_; });
                if (stop_.stop_requested() || next_ >= plan_.frames)
                    return;
                k = next_++;
            }
            DensityResult result;
            Finished frame;
            frame.picture = RenderDensityPicture(
                FrameScene(plan_, bounds_, k), options_, stop_.get_token(), [&](double f) { fraction = f; },
                result);
            fraction = 0.0;
            if (result.outcome == DensityResult::Outcome::Cancelled)
                return;
            if (!frame.picture) {
                if (!plan_.morphTo)
                    return Fail(result);
                frame.picture = Background(options_, background);
                frame.diverged = true;
            }
            std::lock_guard lock(mutex_);
            done_[k] = std::move(frame);
            changed_.notify_all();
        }
    }

    // Under the lock, so that no worker misses the wake-up between its test and its wait.
    void Stop()
    {
        {
            std::lock_guard lock(mutex_);
            stop_.request_stop();
        }
        changed_.notify_all();
    }

    void Fail(const DensityResult& result)
    {
        std::lock_guard lock(mutex_);
        if (!failure_)
            failure_ = result;
        stop_.request_stop();
        changed_.notify_all();
    }

    const AnimationPlan& plan_;
    const std::vector<Bounds> bounds_;
    DensityOptions options_;
    int workers_ = 1;
    int held_ = 2;
    std::stop_source stop_;
    std::unique_ptr<std::atomic<double>[]> fractions_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<int, Finished> done_;
    int next_ = 0;   // the next frame a worker takes
    int handed_ = 0; // frames handed to the sink
    std::optional<DensityResult> failure_;
    std::stop_callback<std::function<void()>> stopLink_; // last: it may stop at once
};

} // namespace

FrameParallelism PlanFrameParallelism(int threads, int frames)
{
    const int cores = WorkerCount(threads);
    const int workers = std::clamp(frames, 1, cores);
    // Workers run at most a few frames ahead of the one handed over.
    return {workers, std::max(1, cores / workers), std::min(2 * workers, std::max(frames, 1))};
}

bool SetMorph(AnimationPlan& plan, const Attractor& from, const Attractor& to)
{
    if (!to.valid || to.kind != from.kind || to.dimension != from.dimension || to.order != from.order ||
        to.coefficients.size() != from.coefficients.size())
        return false;
    plan.scene.coefficients = from.CoefficientValues();
    plan.morphTo = to.CoefficientValues();
    return true;
}

DensityResult RenderAnimation(const AnimationPlan& plan, std::stop_token stop,
                              const DensityProgress& progress, const FrameNote& note, const FrameSink& sink)
{
    if (plan.frames < 1)
        return {DensityResult::Outcome::Failed, "no frames to render"};
    std::vector<Bounds> bounds;
    if (plan.morphTo) {
        std::vector<std::optional<Bounds>> exact;
        if (DensityResult r = MorphBounds(plan, stop, exact); r.outcome != DensityResult::Outcome::Finished)
            return r;
        bounds = SmoothBounds(exact);
    }
    if (!plan.options.fit) {
        FramePipeline pipeline(plan, std::move(bounds), std::move(stop));
        return pipeline.Run(progress, note, sink);
    }
    AnimationPlan framed = plan;
    if (DensityResult r = FrameAnimation(framed, bounds, stop); r.outcome != DensityResult::Outcome::Finished)
        return r;
    FramePipeline pipeline(framed, std::move(bounds), std::move(stop));
    return pipeline.Run(progress, note, sink);
}

} // namespace zephyra
