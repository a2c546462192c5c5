#pragma once
#include "Point.h"

namespace zephyra::detail {

// The six fixed two-dimensional maps, kinds 2..7 (cases 'Y'..'^'). Each formula is evaluated in
// double and rounded once when stored; z and w are derived values (x^2 + y^2 and i / N; a phase
// for '^').
void StepAbsolute(const float* a, int pointsCount, const Point& in, Point& out, int i);   // 'Y'
void StepBitwise(const float* a, int pointsCount, const Point& in, Point& out, int i);    // 'Z'
void StepPower(const float* a, int pointsCount, const Point& in, Point& out, int i);      // '['
void StepSine(const float* a, int pointsCount, const Point& in, Point& out, int i);       // '\'
void StepRotation(const float* a, int pointsCount, const Point& in, Point& out, int i);   // ']'
void StepOscillator(const float* a, int pointsCount, const Point& in, Point& out, int i); // '^'

// trunc(v + 0.5) as a 64-bit integer, low 32 bits; non-finite or out-of-range values give 0.
[[nodiscard]] int TruncateLow32(double v);

} // namespace zephyra::detail
