#pragma once
#include "Attractor.h"

#include <string>
#include <string_view>

namespace zephyra {

// One record as the text of its "attractor" element, the form the files use, for carrying it
// elsewhere (a picture's text chunk).
[[nodiscard]] std::string AttractorElementText(const Attractor& attractor);
// The record of such a text; an empty handle when the text is not one well-formed "attractor"
// element.
[[nodiscard]] AttractorRef AttractorFromElementText(std::string_view text, const AttractorDefaults& defaults);

} // namespace zephyra
