#include "FullMeasurement.h"

#include "StatusTexts.h"

namespace zephyra {

namespace {
// Sample points this close along the orbit are left out of the pair counts (see CorrelationFit).
constexpr int NEAR_NEIGHBOURS = 1;
} // namespace

FullMeasurement MeasureFully(const OrbitSystem& system, const SpectrumSettings& settings,
                             const SpectrumProgress& progress)
{
    FullMeasurement m;
    m.spectrum = MeasureSpectrum(system, settings, progress);
    if (m.spectrum.status == SpectrumStatus::Measured)
        m.correlation =
            FitCorrelationDimension(m.spectrum.sample, m.spectrum.sampleCoordinates, NEAR_NEIGHBOURS);
    return m;
}

const char* SpectrumFailureText(SpectrumStatus status)
{
    switch (status) {
    case SpectrumStatus::Invalid:
        return TEXT_WRONG_CONFIGURATION;
    case SpectrumStatus::NoSteps:
        return "No steps to measure: the spectrum needs at least one point.";
    case SpectrumStatus::Diverged:
        return "The orbit leaves every bound before the measurement ends.";
    case SpectrumStatus::Measured:
    case SpectrumStatus::Stopped:
        break;
    }
    return "";
}

} // namespace zephyra
