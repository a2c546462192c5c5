#pragma once
#include <vector>

namespace zephyra {

// The Kaplan-Yorke dimension of a Lyapunov spectrum sorted from the largest: k + (l1 + ... + lk) /
// |l(k+1)| with k the number of leading exponents whose sum stays non-negative; 0 when l1 < 0, the
// count of exponents when the sum never turns negative.
[[nodiscard]] double KaplanYorkeDimension(const std::vector<double>& sortedExponents);

} // namespace zephyra
