#pragma once
#include "FullMeasurement.h"

#include <iosfwd>

namespace zephyra::cli {

// The figures of `zephyra measure` after the status texts: the spectrum with its error bars, the
// sum beside the step's mean ln|det J| (and an ODE's flow divergence), Kaplan-Yorke, the correlation fit.
void WriteMeasurementText(std::ostream& out, const FullMeasurement& m, int blocks);
// The same as JSON members, each preceded by a comma (for the object `compute --json` opens).
void WriteMeasurementJson(std::ostream& out, const FullMeasurement& m);

} // namespace zephyra::cli
