#include "OrbitDiagram.h"

#include "Iterate.h"
#include "Jacobian.h"
#include "SpreadOverCores.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

// One column's orbit in double, coefficients too: the case's polynomial, or a special map's own
// step (in float its state would fall onto a cycle of the float grid, and the column would show
// that cycle instead of the attractor).
class ColumnOrbit {
public:
    ColumnOrbit(const ParameterSystem& s, int place, double value)
        : s_(s), table_(MonomialTable::Of(s.dimension, s.order)), a_(s.coefficients),
          special_(s.IsPolynomial() ? nullptr : SelectWideSpecialStep(s.kind)), p_(s.start)
    {
        a_[static_cast<std::size_t>(place)] = value;
    }

    // The next point; false once it escaped.
    bool Step(int i)
    {
        if (special_) {
            WidePoint out;
            special_(a_.data(), s_.pointsCount, p_, out, i);
            p_ = out;
        } else {
            PolynomialStep();
        }
        return std::all_of(p_.begin(), p_.end(),
                           [](double v) { return std::fabs(v) <= 3.4028234663852886e38; });
    }
    [[nodiscard]] double Coordinate(int k) const { return p_[static_cast<std::size_t>(k)]; }

private:
    void PolynomialStep()
    {
        const int d = s_.dimension, t = table_.count;
        double mono[MonomialTable::MOST_TERMS];
        mono[0] = 1.0;
        for (int j = 1; j < t; ++j)
            mono[j] = mono[table_.parent[static_cast<std::size_t>(j)]] *
                      p_[static_cast<std::size_t>(table_.var[static_cast<std::size_t>(j)])];
        WidePoint next{};
        for (int k = 0; k < d; ++k) {
            const double* c = a_.data() + 1 + k * t;
            double acc = c[0];
            for (int j = 1; j < t; ++j)
                acc = acc + c[j] * mono[j];
            next[static_cast<std::size_t>(k)] =
                s_.kind == KIND_ODE ? p_[static_cast<std::size_t>(k)] + ODE_STEP * acc : acc;
        }
        p_ = next;
    }

    const ParameterSystem& s_;
    MonomialTable table_;
    std::vector<double> a_;
    WideStepFunction special_;
    WidePoint p_;
};

constexpr int RANGE_COLUMNS = 256;
constexpr int RANGE_POINTS = 2000;
constexpr double RANGE_MARGIN = 0.04;

} // namespace

void FitDiagramRange(const ParameterSystem& system, DiagramSettings& d)
{
    double low = INFINITY, high = -INFINITY;
    const int columns = std::min(d.width, RANGE_COLUMNS);
    for (int c = 0; c < columns; ++c) {
        const int column = static_cast<int>((c + 0.5) * d.width / columns);
        ColumnOrbit orbit(system, d.x.place, d.ColumnValue(column));
        double l = INFINITY, h = -INFINITY;
        bool escaped = false;
        for (int i = 0; i < d.transient + RANGE_POINTS && !escaped; ++i) {
            escaped = !orbit.Step(i);
            if (i >= d.transient) {
                l = std::min(l, orbit.Coordinate(d.coordinate));
                h = std::max(h, orbit.Coordinate(d.coordinate));
            }
        }
        if (!escaped) {
            low = std::min(low, l);
            high = std::max(high, h);
        }
    }
    if (!(low <= high)) {
        low = -1.0;
        high = 1.0;
    }
    const double margin = std::max(RANGE_MARGIN * (high - low), 1e-3 * std::max(1.0, std::fabs(high)));
    d.low = low - margin;
    d.high = high + margin;
}

bool ComputeDiagramColumns(const ParameterSystem& system, const DiagramSettings& d, int first, int columns,
                           std::vector<std::uint32_t>& counts, std::stop_token stop,
                           const MapProgress& progress, int threads)
{
    const std::size_t height = static_cast<std::size_t>(d.height);
    counts.assign(static_cast<std::size_t>(columns) * height, 0);
    const double rowsPerUnit = d.height / (d.high - d.low);
    return SpreadOverCores(columns, threads, stop, progress, [&](int c) {
        std::uint32_t* column = counts.data() + static_cast<std::size_t>(c) * height;
        ColumnOrbit orbit(system, d.x.place, d.ColumnValue(first + c));
        for (int i = 0; i < d.transient + d.points; ++i) {
            if (!orbit.Step(i)) {
                std::fill(column, column + height, 0u);
                break;
            }
            if (i < d.transient)
                continue;
            const double row = (d.high - orbit.Coordinate(d.coordinate)) * rowsPerUnit;
            if (row >= 0.0 && row < d.height)
                ++column[static_cast<std::size_t>(row)];
        }
    });
}

Picture DiagramPicture(const std::vector<std::uint32_t>& counts, const DiagramSettings& d,
                       const std::optional<double>& markValue)
{
    constexpr double INK[3] = {12, 22, 60};
    const std::uint32_t most = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    const double scale = most > 0 ? 1.0 / std::log1p(static_cast<double>(most)) : 0.0;
    Picture picture(d.width, d.height, 8, 3);
    for (int row = 0; row < d.height; ++row) {
        std::uint8_t* p = picture.Row(row);
        for (int column = 0; column < d.width; ++column, p += 3) {
            const std::uint32_t n = counts[static_cast<std::size_t>(column) * d.height + row];
            // A cell hit once still shows: the tone starts at a third of the ink.
            const double t = n == 0 ? 0.0 : 0.3 + 0.7 * std::log1p(static_cast<double>(n)) * scale;
            for (int k = 0; k < 3; ++k)
                p[k] = static_cast<std::uint8_t>(std::lround(255.0 + t * (INK[k] - 255.0)));
        }
    }
    if (markValue) {
        const double fx = (*markValue - d.x.low) / (d.x.high - d.x.low) * d.width;
        if (fx >= 0.0 && fx < d.width)
            DrawCross(picture, static_cast<int>(fx), d.height - 8);
    }
    return picture;
}

} // namespace zephyra
