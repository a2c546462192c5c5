#pragma once
#include "Point.h"

#include <array>

namespace zephyra::detail {

// The six fixed two-dimensional maps, kinds 2..7 (cases 'Y'..'^'); z and w are derived values
// (x^2 + y^2 and i / N; a phase for '^'). Each formula is evaluated in double. The engine's orbit
// (Real = float) rounds each value once when it is stored; the orbits that run free and the
// spectrum's (Real = double) keep double, as a float state falls onto a cycle of the float grid.
// `Coefficient` is float for the engine's codes, double for exact values.
template <typename Real> using SpecialState = std::array<Real, 4>;

#define ZEPHYRA_SPECIAL_STEP(Name)                                                                           \
    template <typename Real, typename Coefficient>                                                           \
    void Name(const Coefficient* a, int pointsCount, const SpecialState<Real>& in, SpecialState<Real>& out,  \
              int i)
ZEPHYRA_SPECIAL_STEP(StepAbsolute);   // 'Y'
ZEPHYRA_SPECIAL_STEP(StepBitwise);    // 'Z'
ZEPHYRA_SPECIAL_STEP(StepPower);      // '['
ZEPHYRA_SPECIAL_STEP(StepSine);       // '\'
ZEPHYRA_SPECIAL_STEP(StepRotation);   // ']'
ZEPHYRA_SPECIAL_STEP(StepOscillator); // '^'
#undef ZEPHYRA_SPECIAL_STEP

// trunc(v + 0.5) as a 64-bit integer, low 32 bits; non-finite or out-of-range values give 0.
[[nodiscard]] int TruncateLow32(double v);

} // namespace zephyra::detail
