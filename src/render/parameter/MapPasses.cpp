#include "MapPasses.h"

namespace zephyra {

MapSettings PassSettings(const MapSettings& whole, int divisor)
{
    MapSettings pass = whole;
    pass.width = (whole.width + divisor - 1) / divisor;
    pass.height = (whole.height + divisor - 1) / divisor;
    return pass;
}

std::vector<double> SpreadPass(const std::vector<double>& values, const MapSettings& pass,
                               const MapSettings& whole)
{
    std::vector<double> spread(static_cast<std::size_t>(whole.width) *
                               static_cast<std::size_t>(whole.height));
    for (int row = 0; row < whole.height; ++row) {
        const std::size_t from = static_cast<std::size_t>(row) * pass.height / whole.height * pass.width;
        double* to = spread.data() + static_cast<std::size_t>(row) * whole.width;
        for (int column = 0; column < whole.width; ++column)
            to[column] = values[from + static_cast<std::size_t>(column) * pass.width / whole.width];
    }
    return spread;
}

bool ComputeMapPasses(const ParameterSystem& system, const MapSettings& whole, std::stop_token stop,
                      const std::function<void(MapPass)>& deliver, int threads)
{
    MapSettings previous = whole;
    previous.width = previous.height = 0;
    for (const int divisor : MAP_PASS_DIVISORS) {
        const MapSettings pass = PassSettings(whole, divisor);
        const auto sameSize = [&](const MapSettings& m) {
            return m.width == pass.width && m.height == pass.height;
        };
        if (divisor != 1 && (sameSize(previous) || sameSize(whole)))
            continue;
        previous = pass;
        std::vector<double> values;
        if (!ComputeMapRows(system, pass, 0, pass.height, values, stop, {}, threads))
            return false;
        deliver({divisor, divisor == 1 ? std::move(values) : SpreadPass(values, pass, whole)});
    }
    return true;
}

} // namespace zephyra
