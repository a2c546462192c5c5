#pragma once
#include <string>

namespace zephyra {

// Number texts of the measurement reports (command line and panel), in the "C" form whatever the
// locale. Fixed decimals with a sign, so that positive and negative exponents line up:
[[nodiscard]] std::string SignedText(double value, int decimals);
// Two significant digits of a share between 0 and 1 ("0.031", "0.000031"):
[[nodiscard]] std::string ShareText(double value);

} // namespace zephyra
