#include "PointGeneration.h"

#include "Iterate.h"
#include "OrbitRun.h"
#include "StatusTexts.h"

#include <algorithm>
#include <utility>

namespace zephyra {

namespace {
// A cancelled run keeps its partial orbit from this many points on.
constexpr int KEEP_PARTIAL_FROM = 1000;

// The buffer that takes a run of n points: the spare one while points are on show and memory holds
// both, else the context's own (emptied first). Null when memory cannot hold the run; the points
// on show are then kept.
PointBuffer* RunTarget(ComputeContext& context, int n)
{
    PointBuffer& buffer = context.buffer;
    const bool shown = context.spare && context.current && buffer.ready;
    if (shown) {
        PointBuffer& spare = *context.spare;
        if (spare.count == n || ResizePoints(spare, n, context.availableMemory, context.viewCopies))
            return &spare;
        const std::uint64_t shownBytes = static_cast<std::uint64_t>(buffer.count) * sizeof(Point);
        if (!PointsFit(n, context.availableMemory, context.viewCopies, shownBytes))
            return nullptr;
    }
    buffer.ready = false;
    if (buffer.count != n && !ResizePoints(buffer, n, context.availableMemory, context.viewCopies))
        return nullptr;
    return &buffer;
}

// Makes the spare buffer's finished run the one on show and frees the points it replaces.
void TakeSpare(ComputeContext& context, PointBuffer*& target)
{
    if (target != context.spare)
        return;
    std::swap(context.buffer, *context.spare);
    (void)ResizePoints(*context.spare, 0, nullptr);
    target = &context.buffer;
}
} // namespace

bool ComputePoints(ComputeContext& context, AttractorRef attractor, bool force, bool search,
                   bool* continueFlag)
{
    if (!attractor)
        return false;
    Attractor& a = *attractor;
    PointBuffer& buffer = context.buffer;
    const int n = a.pointsCount;

    // A smaller count of the points on screen is served by drawing fewer of them. Only points that
    // are ready qualify: after a rejected or early-cancelled try the buffer holds other points.
    if (!force && context.current == attractor && buffer.ready && buffer.count >= n) {
        context.status.ShowStatus(PANE_POINTS, PointsText(n));
        return true;
    }
    const PairStepFunction step = a.valid ? SelectPairStep(a.kind, a.dimension, a.order) : nullptr;
    if (!step || static_cast<int>(a.coefficients.size()) != a.codeLength)
        return false;

    // A new run of the current attractor overwrites its measures; they go back if its points stay.
    const float shownLyapunov = a.lyapunov, shownFractalDim = a.fractalDim;
    auto keepShown = [&] {
        if (context.current != attractor || !buffer.ready)
            return;
        a.pointsCount = std::min(a.pointsCount, buffer.count);
        a.lyapunov = shownLyapunov;
        a.fractalDim = shownFractalDim;
        context.status.ShowStatus(PANE_POINTS, PointsText(a.pointsCount));
    };
    PointBuffer* target = RunTarget(context, n);
    if (!target) {
        keepShown();
        context.status.ShowStatus(PANE_MESSAGE, TEXT_NO_MEMORY);
        // A search would otherwise retry at once, for ever: it ends as if cancelled.
        if (continueFlag)
            *continueFlag = false;
        return false;
    }

    BusyCursor busy(context.run);
    ComputeContext into{*target, context.current, context.random, context.status, context.run};
    OrbitRun run(into, a, step);
    switch (run.Run(search)) {
    case OrbitRun::Outcome::Finished:
        TakeSpare(context, target);
        FinishPoints(context, attractor, run.Bounds().min, run.Bounds().max);
        context.status.ShowStatus(PANE_MESSAGE, TEXT_DONE);
        return true;
    case OrbitRun::Outcome::Rejected:
        return false;
    case OrbitRun::Outcome::Cancelled:
        if (run.StoppedAt() >= KEEP_PARTIAL_FROM) {
            TakeSpare(context, target);
            a.pointsCount = buffer.count = run.StoppedAt();
            FinishPoints(context, attractor, run.Bounds().min, run.Bounds().max);
        } else {
            keepShown();
        }
        context.status.ShowStatus(PANE_MESSAGE, TEXT_CANCELED);
        if (continueFlag)
            *continueFlag = false;
        return false;
    }
    return false;
}

void FinishPoints(ComputeContext& context, const AttractorRef& attractor, const Point& min, const Point& max)
{
    Attractor& a = *attractor;
    if (a.fractalDim < 0.0f)
        a.fractalDim = 0.0f;
    else if (a.fractalDim > 2.0f)
        a.fractalDim = 2.0f;
    NormalizePoints(context.buffer.points.get(), a.pointsCount, min, max);
    NormalizationOf(min, max, context.buffer.centre, context.buffer.scale);

    StatusServices& status = context.status;
    status.ShowStatus(PANE_CASE, CaseText(a));
    status.ShowStatus(PANE_POINTS, PointsText(a.pointsCount));
    status.ShowStatus(PANE_MEASURES, MeasuresText(a));
    status.ShowStatus(PANE_START, StartPointText(a));
    status.ShowCode(a);
    UpdateThumbnail(a);
    context.current = attractor;
    context.buffer.ready = true;
}

void NormalizationOf(const Point& min, const Point& max, Point& centre, Point& scale)
{
    for (int k = 0; k < 4; ++k) {
        centre[k] = min[k] + (max[k] - min[k]) * 0.5f;
        const float half = max[k] - centre[k];
        scale[k] = half == 0.0f ? 1.0f : 1.0f / half;
    }
}

void NormalizePoints(Point* points, int n, const Point& min, const Point& max)
{
    Point centre, scale;
    NormalizationOf(min, max, centre, scale);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < 4; ++k)
            points[i][k] = (points[i][k] - centre[k]) * scale[k];
}

} // namespace zephyra
