#include "OrbitRun.h"

#include "ChaosMeasures.h"
#include "StatusTexts.h"

#include <algorithm>
#include <string>

namespace zephyra {

namespace {
// Below this iteration the message pane shows the search text; from it on, the percentage.
constexpr int PROGRESS_START = 5000;
constexpr int PROGRESS_INTERVAL = 5000;
// The exponent test applies to iterations 500 to 4999 of a search.
constexpr int EXPONENT_TEST_START = 500;
constexpr int EXPONENT_TEST_END = 5000;
constexpr float LOWEST_EXPONENT = 0.005f;
constexpr float SHADOW_OFFSET = 0.000001f;

const std::string& SearchingText()
{
    static const std::string text = TEXT_SEARCHING;
    return text;
}
} // namespace

template <bool Search> OrbitRun::Outcome OrbitRun::Loop()
{
    StatusServices& status = context_.status;
    RunServices& run = context_.run;
    const std::string& searching = SearchingText();
    const float* const a = coefficients_.data();
    WideCoefficients wide;
    WidenCoefficients(a, attractor_.codeLength, wide);
    const int n = attractor_.pointsCount;
    const int boundsStart = BoundsStart(n);
    Point* const points = context_.buffer.points.get();

    const DisplaySettings& d = attractor_.display;
    Point p{d.x0, d.y0, d.z0, d.w0};
    Point q{d.x0 + SHADOW_OFFSET, d.y0, d.z0, d.w0};
    LyapunovEstimate lyapunovEstimate(HasDerivedZ(attractor_.kind));
    CorrelationDimension correlation;
    PartnerDraws partners(context_.random, points, n);
    // Kept in locals so that the stores into the point array cannot alias them; written back on exit.
    OrbitBounds bounds;
    float lyapunov = 0.0f, fractalDim = 0.0f;
    attractor_.lyapunov = attractor_.fractalDim = 0.0f;
    auto stop = [&](Outcome outcome, int i) {
        attractor_.lyapunov = lyapunov;
        attractor_.fractalDim = fractalDim;
        bounds_ = bounds;
        stoppedAt_ = i;
        return outcome;
    };
    // Main and shadow step, the divergence and fixed-point tests, the exponent, the stored point.
    // False when a test rejects the run.
    auto advance = [&](int i) {
        Point next, shadow;
        step_(a, wide.data(), n, p, next, q, shadow, i);
        if constexpr (Search) {
            if (!IsFinitePoint(next) || HasStalled(p, next))
                return false;
        }
        lyapunovEstimate.Update(next, shadow, i, lyapunov);
        points[i] = next;
        p = next;
        q = shadow;
        return true;
    };

    int i = 0;
    const int early = std::min(n, PROGRESS_START);
    for (; i < early; ++i) {
        status.ShowStatus(PANE_MESSAGE, searching);
        if (run.EscapePressed())
            return stop(Outcome::Cancelled, i);
        if (!advance(i))
            return stop(Outcome::Rejected, i);
        if constexpr (Search) {
            if (i >= EXPONENT_TEST_START && i < EXPONENT_TEST_END && lyapunov < LOWEST_EXPONENT)
                return stop(Outcome::Rejected, i);
        }
        bounds.Add(p, i, boundsStart);
    }

    int countdown = 0;
    for (; i < n; ++i) {
        if (countdown == 0) {
            status.ShowStatus(PANE_MESSAGE, ComputingText(100.0 * i / n));
            countdown = PROGRESS_INTERVAL;
        }
        --countdown;
        if (run.EscapePressed())
            return stop(Outcome::Cancelled, i);
        if (!advance(i))
            return stop(Outcome::Rejected, i);
        bounds.Update(p);
        if (i == CorrelationDimension::FIRST_SAMPLE) {
            correlation.Setup(bounds.min, bounds.max, attractor_.dimension);
            partners.Start(i + 1);
        } else {
            correlation.Sample(p, points[partners.Take(i)], fractalDim);
        }
    }
    if constexpr (Search) {
        // The test above samples the start of the orbit only: a search for chaos never returns an
        // orbit whose exponent over the whole run says it is not chaotic. A run too short to
        // reach the test has no exponent to judge and is kept, or a search of it would never end.
        if (n > EXPONENT_TEST_START && !(lyapunov > LOWEST_EXPONENT))
            return stop(Outcome::Rejected, i);
    }
    return stop(Outcome::Finished, i);
}

OrbitRun::Outcome OrbitRun::Run(bool search)
{
    return search ? Loop<true>() : Loop<false>();
}

} // namespace zephyra
