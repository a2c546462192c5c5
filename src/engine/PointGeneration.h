#pragma once
#include "Attractor.h"
#include "PointBuffer.h"
#include "PointMemory.h"
#include "RandomGenerator.h"
#include "StatusServices.h"

namespace zephyra {

// Everything a computation reads and writes outside the attractor itself: the document's buffer
// and current-attractor slot, the program's random generator and the window's services.
struct ComputeContext {
    PointBuffer& buffer;
    AttractorRef& current;
    RandomGenerator& random;
    StatusServices& status;
    RunServices& run;
    AvailableMemoryProbe availableMemory = SystemAvailableMemory;
    int viewCopies = 0; // copies of the points the views keep or upload, which need memory too
    // Where a run goes while points are on show, so that a cancelled or refused run leaves them
    // as they are; null: runs go into `buffer` itself.
    PointBuffer* spare = nullptr;
};

// Computes the attractor's orbit into the buffer (with the chaos tests when `search`), measures
// it and makes it current. False when rejected, cancelled (then *continueFlag becomes false) or
// out of memory (also clears *continueFlag, so a search ends instead of retrying for ever). With a
// spare buffer the points on show stay until a run replaces them, and a current attractor whose
// new run ended early gets back the count and measures of those points.
[[nodiscard]] bool ComputePoints(ComputeContext& context, AttractorRef attractor, bool force, bool search,
                                 bool* continueFlag);

// Publishes a finished run of the attractor's pointsCount points: normalises them, writes panes 1
// to 4, shows the code, redraws the thumbnail and makes the attractor current and the buffer ready.
void FinishPoints(ComputeContext& context, const AttractorRef& attractor, const Point& min, const Point& max);

// Maps each coordinate of n points onto -1..1 from the bounds.
void NormalizePoints(Point* points, int n, const Point& min, const Point& max);
// That map: (p - centre) x scale for each coordinate.
void NormalizationOf(const Point& min, const Point& max, Point& centre, Point& scale);

// Redraws the 32 x 32 thumbnail from a 1000-step run (valid attractors only).
void UpdateThumbnail(Attractor& attractor);

// Runs of this many points or fewer have no transient to skip: their bounds start at point 0.
constexpr int TRANSIENT_POINTS = 100;
[[nodiscard]] constexpr int BoundsStart(int pointsCount)
{
    return pointsCount > TRANSIENT_POINTS ? TRANSIENT_POINTS : 0;
}

} // namespace zephyra
