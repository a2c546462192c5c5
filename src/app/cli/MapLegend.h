#pragma once
#include "Picture.h"

namespace zephyra::cli {

// The map with a colour bar under it: the scales from strongly negative to positive λ1 with their
// values, and the colour of escape.
[[nodiscard]] Picture WithMapLegend(const Picture& map);

} // namespace zephyra::cli
