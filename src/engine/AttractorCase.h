#pragma once
#include <optional>

namespace zephyra {

// Kinds of system a case letter selects.
constexpr int KIND_MAP = 0;       // polynomial map
constexpr int KIND_ODE = 1;       // polynomial ODE, one Euler step per iteration
constexpr int KIND_SPECIAL_Y = 2; // kinds 2..7 are the special maps 'Y'..'^'
constexpr int KIND_SPECIAL_LAST = 7;

// Whether the kind's z is derived from x and y (x^2 + y^2 of the step's input) rather than moved:
// every special map but '^', whose z is its phase.
[[nodiscard]] constexpr bool HasDerivedZ(int kind)
{
    return kind >= KIND_SPECIAL_Y && kind < KIND_SPECIAL_LAST;
}

constexpr char FIRST_CASE_LETTER = 'E';
constexpr char LAST_CASE_LETTER = '^';
constexpr int CASE_COUNT = LAST_CASE_LETTER - FIRST_CASE_LETTER + 1;
constexpr int MAX_CODE_LENGTH = 505; // case 'P': 504 coefficients and the letter

// One row of the case table, derived from the letter by rule.
struct AttractorCase {
    char letter = 0;
    int kind = 0;
    int dimension = 0;         // D
    int order = 0;             // O (2 for the special cases)
    int coefficientsCount = 0; // M

    [[nodiscard]] int CodeLength() const { return coefficientsCount + 1; }
    [[nodiscard]] bool IsSpecial() const { return kind >= KIND_SPECIAL_Y; }
};

// Number of monomials of degree at most `order` in `dimension` variables: C(D + O, O).
[[nodiscard]] constexpr int TermsPerEquation(int dimension, int order)
{
    long long n = 1;
    for (int k = 1; k <= order; ++k)
        n = n * (dimension + k) / k;
    return static_cast<int>(n);
}

// The case a letter names, or nothing for a character outside 'E'..'^'.
[[nodiscard]] std::optional<AttractorCase> DescribeCase(char letter);

} // namespace zephyra
