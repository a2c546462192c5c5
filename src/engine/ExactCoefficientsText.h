#pragma once
#include <string>
#include <string_view>

namespace zephyra {

class Attractor;

// The exact values of an attractor between the letters as text: "3:-1.37 5:0.3125", the place
// (1 to M) and value of each coefficient that differs from its letter, the value in the shortest
// text that reads back to the same double. Empty for an attractor on the letters.
[[nodiscard]] std::string ExactCoefficientsText(const Attractor& a);

// Puts the values of such a text on the attractor, every other coefficient on its letter (see
// Attractor::SetExactCoefficients). False, changing nothing, for a text that is not a list of
// distinct places within 1..M with finite values. An empty text puts the attractor on its letters.
bool ReadExactCoefficientsText(std::string_view text, Attractor& a);

} // namespace zephyra
