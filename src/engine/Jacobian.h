#pragma once
#include "Point.h"

#include <array>

namespace zephyra {

// One step of a case together with its derivative with respect to the dynamical coordinates, for
// the Lyapunov spectrum. The state is double: a single-precision orbit of a polynomial map lives on
// a finite grid and soon falls onto one of its cycles (Henon's after some 27 000 steps), whose
// exponents differ from the attractor's; a double orbit does not cycle within any run we make. So
// the polynomial cases evaluate the same polynomial, coefficients and Euler step in double, and the
// special maps their own formulas.
// Row k of `j` holds the derivatives of output coordinate k at the step's input: for a polynomial
// map the Jacobian of the polynomial; for an ODE that of the Euler step, I + 0.1 J, so tangent
// vectors advance with the same integrator and step as the orbit.
constexpr int MAX_TANGENTS = 4;
using TangentMatrix = std::array<std::array<double, MAX_TANGENTS>, MAX_TANGENTS>;
using TangentStepFunction = void (*)(const float* a, int pointsCount, const WidePoint& in, WidePoint& out,
                                     TangentMatrix& j, int i);

// Euler step size of the ODE cases, as the step applies it.
constexpr double ODE_STEP = static_cast<double>(0.1f);

struct TangentSystem {
    int dimension = 0; // number of dynamical coordinates (2 for the special maps, 3 for '^')
    TangentStepFunction step = nullptr;
};

// The tangent system of a case; a null `step` for a kind, dimension and order that no case has.
[[nodiscard]] TangentSystem SelectTangentSystem(int kind, int dimension, int order);

// A special map's step and derivative with its coefficients in double, for values between the
// points of float's grid (a map's pixels, exact values); null for any other kind. The same
// dimensions as SelectTangentSystem.
using WideTangentStepFunction = void (*)(const double* a, int pointsCount, const WidePoint& in,
                                         WidePoint& out, TangentMatrix& j, int i);
[[nodiscard]] WideTangentStepFunction SelectWideSpecialTangentStep(int kind);

[[nodiscard]] inline WidePoint Widen(const Point& p)
{
    return {p[0], p[1], p[2], p[3]};
}

[[nodiscard]] inline Point Narrow(const WidePoint& p)
{
    return {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]),
            static_cast<float>(p[3])};
}

} // namespace zephyra
