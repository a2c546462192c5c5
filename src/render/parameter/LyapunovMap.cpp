#include "LyapunovMap.h"

#include "Jacobian.h"
#include "MapKernel.h"
#include "SpreadOverCores.h"

#include <algorithm>

namespace zephyra {

namespace map_kernel_base {
void RunPixels(const MapPixels& job, std::int64_t first, std::int64_t last, double* values);
}
#if defined(__x86_64__)
namespace map_kernel_avx2 {
void RunPixels(const MapPixels& job, std::int64_t first, std::int64_t last, double* values);
}
namespace map_kernel_avx512 {
void RunPixels(const MapPixels& job, std::int64_t first, std::int64_t last, double* values);
}
#endif

MapKernel SelectMapKernel()
{
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw"))
        return &map_kernel_avx512::RunPixels;
    if (__builtin_cpu_supports("avx2"))
        return &map_kernel_avx2::RunPixels;
#endif
    return &map_kernel_base::RunPixels;
}

namespace {

bool Escaped(const WidePoint& p)
{
    for (const double v : p)
        if (!(std::fabs(v) <= MAP_ESCAPE_LIMIT))
            return true;
    return false;
}

// A special map's pixel: its own step and the derivative the spectrum uses, in double with every
// coefficient in double (rounded to float, neighbouring pixels of a zoomed map would share their
// values); one pixel at a time, as their sines and powers gain nothing from lanes.
double SpecialPixel(const ParameterSystem& s, const MapSettings& m, WideTangentStepFunction step,
                    std::vector<double>& a, int column, int row)
{
    a[static_cast<std::size_t>(m.x.place)] = m.ColumnValue(column);
    a[static_cast<std::size_t>(m.y.place)] = m.RowValue(row);
    WidePoint p = s.start;
    double v[2] = {1.0, 1.0};
    double bits = 0.0;
    TangentMatrix j;
    for (int i = 0; i < m.transient + m.steps; ++i) {
        WidePoint next;
        step(a.data(), s.pointsCount, p, next, j, i);
        if (Escaped(next))
            return MAP_ESCAPE;
        p = next;
        if (i < m.transient)
            continue;
        const double v0 = j[0][0] * v[0] + j[0][1] * v[1];
        const double v1 = j[1][0] * v[0] + j[1][1] * v[1];
        const double length = std::sqrt(v0 * v0 + v1 * v1);
        bits += std::log2(length);
        v[0] = v0 / length;
        v[1] = v1 / length;
    }
    return (bits - 0.5) / m.steps; // the start vector's length is sqrt 2
}

using RowFunction = std::function<void(int row, double* values)>;

RowFunction RowsOf(const ParameterSystem& s, const MapSettings& m, const MonomialTable& table)
{
    if (s.IsPolynomial()) {
        const MapKernel kernel = SelectMapKernel();
        return [&s, &m, &table, kernel](int row, double* values) {
            const std::int64_t first = static_cast<std::int64_t>(row) * m.width;
            kernel(MapPixels{s, m, table}, first, first + m.width, values);
        };
    }
    const WideTangentStepFunction step = SelectWideSpecialTangentStep(s.kind);
    return [&s, &m, step](int row, double* values) {
        std::vector<double> a = s.coefficients;
        for (int column = 0; column < m.width; ++column)
            values[column] = SpecialPixel(s, m, step, a, column, row);
    };
}

} // namespace

bool ComputeMapRows(const ParameterSystem& system, const MapSettings& settings, int top, int rows,
                    std::vector<double>& values, std::stop_token stop, const MapProgress& progress,
                    int threads)
{
    values.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(settings.width), MAP_ESCAPE);
    const MonomialTable table = MonomialTable::Of(system.dimension, system.order);
    const RowFunction computeRow = RowsOf(system, settings, table);
    return SpreadOverCores(rows, threads, stop, progress, [&](int r) {
        computeRow(top + r, values.data() + static_cast<std::size_t>(r) * settings.width);
    });
}

} // namespace zephyra
