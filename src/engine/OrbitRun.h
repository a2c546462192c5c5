#pragma once
#include "Iterate.h"
#include "OrbitBounds.h"
#include "PointGeneration.h"

namespace zephyra {

// The main loop of one point computation: progress texts, escape poll, the main and shadow
// steps, the chaos tests, the measurements, the stored points and their bounds. Its loop allocates
// nothing; the buffer must hold the attractor's pointsCount points.
class OrbitRun {
public:
    enum class Outcome { Finished, Rejected, Cancelled };

    OrbitRun(ComputeContext& context, Attractor& attractor, PairStepFunction step)
        : context_(context), attractor_(attractor), coefficients_(attractor.OrbitCoefficients()), step_(step)
    {
    }

    [[nodiscard]] Outcome Run(bool search);

    // The iteration at which a cancelled run stopped (points 0 to stoppedAt - 1 are stored).
    [[nodiscard]] int StoppedAt() const { return stoppedAt_; }
    [[nodiscard]] const OrbitBounds& Bounds() const { return bounds_; }

private:
    template <bool Search> Outcome Loop();

    ComputeContext& context_;
    Attractor& attractor_;
    const std::vector<float> coefficients_;
    PairStepFunction step_;
    int stoppedAt_ = 0;
    OrbitBounds bounds_;
};

} // namespace zephyra
