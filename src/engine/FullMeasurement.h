#pragma once
#include "CorrelationFit.h"
#include "LyapunovExponents.h"

namespace zephyra {

// The analysis beyond l and f: the Lyapunov spectrum and the correlation-integral fit over the
// points the spectrum's orbit kept. Shared by `zephyra measure` and the Measurements panel.
struct FullMeasurement {
    SpectrumResult spectrum;
    CorrelationFit correlation;
};

[[nodiscard]] FullMeasurement MeasureFully(const OrbitSystem& system, const SpectrumSettings& settings,
                                           const SpectrumProgress& progress = {});

// A sentence for a spectrum that was not measured (status other than Measured and Stopped).
[[nodiscard]] const char* SpectrumFailureText(SpectrumStatus status);

} // namespace zephyra
