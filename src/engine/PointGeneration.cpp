#include "PointGeneration.h"

namespace zephyra {

bool ComputePoints(ComputeContext&, AttractorRef, bool, bool, bool*) { return false; } // being written

void NormalizePoints(Point*, int, const Point&, const Point&) {}

void UpdateThumbnail(Attractor&) {}

} // namespace zephyra
