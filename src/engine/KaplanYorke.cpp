#include "KaplanYorke.h"

#include <cmath>

namespace zephyra {

double KaplanYorkeDimension(const std::vector<double>& sortedExponents)
{
    double partial = 0.0;
    const auto n = sortedExponents.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double next = partial + sortedExponents[k];
        if (next < 0.0)
            return static_cast<double>(k) + partial / std::fabs(sortedExponents[k]);
        partial = next;
    }
    return static_cast<double>(n);
}

} // namespace zephyra
