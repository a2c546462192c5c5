#pragma once
#include "AttractorCase.h"
#include "Point.h"

#include <array>

namespace zephyra {

class Attractor;

// One step of a system: reads `in`, writes `out` (distinct points). `a` is the coefficient array
// (a[0] unused, a[1] the first coefficient); `pointsCount` feeds the w = i / N of the special maps.
using StepFunction = void (*)(const float* a, int pointsCount, const Point& in, Point& out, int i);

// Two orbits advanced together (the main orbit and its shadow); the independent chains of both
// are interleaved so that each hides the other's latency. `wide` holds the same coefficients as
// `a` converted to double (see WidenCoefficients), which the polynomial cases read.
using PairStepFunction = void (*)(const float* a, const double* wide, int pointsCount, const Point& in1,
                                  Point& out1, const Point& in2, Point& out2, int i);

// A special map's step in double, for the orbits that run free: coefficients (exact values or a
// code's) and state in double.
using WideStepFunction = void (*)(const double* a, int pointsCount, const WidePoint& in, WidePoint& out,
                                  int i);
[[nodiscard]] WideStepFunction SelectWideSpecialStep(int kind);

// The coefficients in double, once per run, for a PairStepFunction.
using WideCoefficients = std::array<double, MAX_CODE_LENGTH>;
void WidenCoefficients(const float* a, int codeLength, WideCoefficients& wide);

// The step of a case, chosen once per run so the loop itself never branches on the case.
// Returns nullptr for a kind, dimension and order that no case has.
[[nodiscard]] StepFunction SelectStep(int kind, int dimension, int order);
[[nodiscard]] PairStepFunction SelectPairStep(int kind, int dimension, int order);

// One step of the attractor's system. Does nothing for a record without a valid case.
void Iterate(const Attractor& attractor, const Point& in, Point& out, int i);

} // namespace zephyra
