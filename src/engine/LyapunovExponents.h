#pragma once
#include "OrbitSystem.h"
#include "Point.h"

#include <functional>
#include <vector>

namespace zephyra {

// Every Lyapunov exponent of an attractor: the engine's orbit (the same polynomial, coefficients and
// step as the point computation, but in double for the polynomial cases, which would cycle in single
// precision; see Jacobian.h) carries D tangent vectors, advanced by the step's Jacobian and
// re-orthonormalised by QR (every step for maps, every ODE_QR_INTERVAL steps for ODEs); the logs of
// R's diagonal, summed in double, give the exponents. Units are those of l: bits per step (for an
// ODE one Euler step of 0.1).
struct SpectrumSettings {
    int steps = 1000000;  // steps measured, after the transient
    int transient = 1000; // steps run first, not measured
    int blocks = 10;      // the error bars come from the spread over this many equal blocks
    int historySamples = 200;
    int samplePoints = 16000; // orbit points kept for the correlation integral (enough pairs at small r)
};

enum class SpectrumStatus {
    Measured,
    Invalid,  // no valid case or code
    NoSteps,  // nothing to measure: no steps asked for
    Diverged, // the orbit left every bound
    Stopped,  // the progress callback asked to stop
};

struct SpectrumResult {
    SpectrumStatus status = SpectrumStatus::Invalid;
    bool ode = false;
    std::vector<double> exponents; // largest first
    std::vector<double> errors;    // standard error of each exponent over the blocks
    double sum = 0.0;
    // Orbit mean of ln|det J| of the step; for any map the exponents add up to it.
    double meanLogDet = 0.0;
    // ODEs: orbit mean of the vector field's divergence (the trace of its Jacobian), in bits per unit
    // time: the flow's, which the sum over the step approaches only as the step shrinks.
    double flowDivergence = 0.0;
    double kaplanYorke = 0.0;
    // Running estimates after historySteps[s] measured steps (from 100 on, evenly spaced in log steps);
    // history[s][k] belongs to exponents[k].
    std::vector<int> historySteps;
    std::vector<std::vector<double>> history;
    // Orbit points evenly spaced over the measured steps.
    std::vector<Point> sample;
    int sampleCoordinates = 0; // the dynamical coordinates of each sample point
};

constexpr int ODE_QR_INTERVAL = 10;

// Called now and then with the share of the steps done; returning false stops the measurement.
using SpectrumProgress = std::function<bool(double fraction)>;

// The exponents that are clearly above zero: beyond three standard errors and beyond the least
// exponent a search accepts (0.005 bits), so that the zero exponent of an ODE's flow never counts.
[[nodiscard]] int PositiveExponents(const SpectrumResult& result);

[[nodiscard]] SpectrumResult MeasureSpectrum(const OrbitSystem& system, const SpectrumSettings& settings,
                                             const SpectrumProgress& progress = {});

} // namespace zephyra
