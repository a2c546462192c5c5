#pragma once
#include "FullMeasurement.h"

#include <optional>
#include <string>
#include <vector>

namespace zephyra {

// The figures of a full measurement in the order every report shows them: the command line's
// text and the Measurements panel print this one list, each in its own layout.
struct MeasurementFigure {
    // The name; empty for an exponent of the spectrum, which each report names by `exponent`.
    std::string label;
    int exponent = 0;            // 1 for the largest exponent, and so on; 0 for the other figures
    double value = 0.0;          // unused where `text` stands instead
    std::optional<double> error; // the standard error, shown as "value +- error"
    int decimals = 0;
    bool sign = false; // "+" before values above 0, so that a column of them lines up
    std::string text;  // a sentence in place of the value (a fit that found no range)
    std::string note;  // what the value means or how it was found, after it

    // The value with its sign and error as the reports show it: "+0.60480 +- 0.00110".
    [[nodiscard]] std::string ValueText(const char* plusMinus) const;
};

// The units of the spectrum and of the sums.
inline constexpr const char* MEASUREMENT_UNITS = "bits per step";
// The step the units refer to for an ODE, after the units; empty for a map.
[[nodiscard]] const char* MeasurementStepText(const SpectrumResult& spectrum);

// The figures of a measured spectrum (status Measured) and its correlation fit.
[[nodiscard]] std::vector<MeasurementFigure> MeasurementFigures(const FullMeasurement& m);

} // namespace zephyra
