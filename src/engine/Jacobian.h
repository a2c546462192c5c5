#pragma once
#include "Point.h"

#include <array>

namespace zephyra {

// The derivative of one step of a case with respect to its dynamical coordinates, in double:
// row k holds the derivatives of output coordinate k. For a polynomial map this is the Jacobian of
// the polynomial; for an ODE it is that of the Euler step, I + 0.1 J, so tangent vectors advance
// with the same integrator and step as the orbit.
constexpr int MAX_TANGENTS = 4;
using TangentMatrix = std::array<std::array<double, MAX_TANGENTS>, MAX_TANGENTS>;
using JacobianFunction = void (*)(const float* a, const Point& at, TangentMatrix& j);

// Euler step size of the ODE cases, as the step applies it.
constexpr double ODE_STEP = static_cast<double>(0.1f);

struct TangentSystem {
    int dimension = 0; // number of dynamical coordinates (2 for the special maps)
    JacobianFunction jacobian = nullptr;
};

// The tangent system of a case, or a null `jacobian` where the step has no derivative worth the
// name: case 'Z', whose integer parts jump on a dense set of lines.
[[nodiscard]] TangentSystem SelectTangentSystem(int kind, int dimension, int order);

} // namespace zephyra
