#pragma once
#include "CliArguments.h"

#include <utility>
#include <vector>

namespace zephyra {
class Attractor;
}

namespace zephyra::cli {

inline constexpr CommandOption COEF_OPTION{"--coef", "I=V",
                                           "coefficient I (1 to M) takes the value V, between the letters;\n"
                                           "repeatable; the code keeps the nearest letters"};

// Places (1 to M) and values of --coef, in the order given.
using CoefficientOptions = std::vector<std::pair<int, double>>;

// The --coef values, each a place of at least 1 and a finite value; a usage error otherwise.
[[nodiscard]] CoefficientOptions ReadCoefficientOptions(const ParsedArguments& parsed);
// Puts the values on the attractor; a place beyond its M is a usage error. An attractor without a
// valid code is left as it is, for the caller to report.
void ApplyCoefficientOptions(const CoefficientOptions& options, Attractor& attractor);

} // namespace zephyra::cli
