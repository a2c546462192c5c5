#pragma once
#include "Attractor.h"

#include <array>
#include <string>
#include <vector>

namespace zephyra {

// What the parameter-space paths (the Lyapunov map and the orbit diagram) need of an attractor,
// copied out of the record: its system and every coefficient in double, the exact values where
// the record carries them. Orbits here run in double (a float orbit would fall onto a cycle of
// the float grid) from the attractor's start point.
struct ParameterSystem {
    bool valid = false;
    int kind = 0;
    int dimension = 0;
    int order = 0;
    int pointsCount = 0;              // the N of the special maps' w = i / N
    std::vector<double> coefficients; // entry 0 unused, as in the record
    std::array<double, 4> start{};

    [[nodiscard]] static ParameterSystem Of(const Attractor& attractor);
    [[nodiscard]] int CoefficientsCount() const { return static_cast<int>(coefficients.size()) - 1; }
    [[nodiscard]] bool IsPolynomial() const;
    [[nodiscard]] bool operator==(const ParameterSystem&) const = default;
};

// Why no map or diagram of the system can be made, or an empty text: no valid code, or a step
// without a derivative (the integer parts of case Z jump on a dense set of lines).
[[nodiscard]] std::string MapRefusal(const ParameterSystem& system);

// The monomials of a polynomial case in the engine's order: term t (1 .. count - 1) is term
// parent[t] times coordinate var[t]; term 0 is the constant 1.
struct MonomialTable {
    static constexpr int MOST_TERMS = 126; // 4 coordinates, order 5
    int count = 0;
    std::array<int, MOST_TERMS> parent{};
    std::array<int, MOST_TERMS> var{};

    [[nodiscard]] static MonomialTable Of(int dimension, int order);
};

} // namespace zephyra
