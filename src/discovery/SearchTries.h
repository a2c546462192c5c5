#pragma once
#include "FindSearch.h"

#include <string>
#include <vector>

namespace zephyra {

// The tries of a random search of one case: fresh coefficients each, drawn as Next draws them.
[[nodiscard]] FindSearch::MakeTry RandomTries(char letter, const AttractorDefaults& defaults);
// One try for each variant code of `source` (see VariantCodes), in order, with its display (start
// point, axes). A source between the letters passes its exact values on, each moved by as much as
// its letter changed, so that the variants are the neighbours of the exact attractor.
[[nodiscard]] FindSearch::MakeTry VariantTries(const Attractor& source, std::uint64_t seed, int perDistance,
                                               const AttractorDefaults& defaults);

} // namespace zephyra
