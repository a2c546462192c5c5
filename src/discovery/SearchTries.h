#pragma once
#include "FindSearch.h"

#include <string>
#include <vector>

namespace zephyra {

// The tries of a random search of one case: fresh coefficients each, drawn as Next draws them.
[[nodiscard]] FindSearch::MakeTry RandomTries(char letter, const AttractorDefaults& defaults);
// One try for each code of the list, in order, with the display (start point, axes) given.
[[nodiscard]] FindSearch::MakeTry CodeTries(std::vector<std::string> codes, const DisplaySettings& display,
                                            const AttractorDefaults& defaults);

} // namespace zephyra
