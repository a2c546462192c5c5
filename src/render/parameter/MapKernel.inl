// The map's polynomial kernel, included once per instruction set inside its own namespace (see
// MapKernelBase.cpp, MapKernelAvx2.cpp and MapKernelAvx512.cpp). Loops run over the lanes so the
// compiler vectorises them; masks are numbers (1 or 0) so every condition is one select.

constexpr int L = MAP_LANES;

struct LaneState {
    alignas(64) double x[4][L]{};
    alignas(64) double v[4][L]{};
    alignas(64) double steps[L]{};      // steps taken by the lane's orbit
    alignas(64) double live[L]{};       // 1 while the lane holds a pixel
    alignas(64) std::int64_t logs[L]{}; // whole bits the tangent vector was scaled down by
    std::int64_t pixel[L]{};
};

void RunPixels(const MapPixels& job, std::int64_t first, std::int64_t last, double* values)
{
    const ParameterSystem& s = job.system;
    const MapSettings& m = job.settings;
    const MonomialTable& table = job.table;
    const int D = s.dimension;
    const int T = table.count;
    const bool ode = s.kind == KIND_ODE;
    const int M = s.CoefficientsCount();
    const double h = ode ? ODE_STEP : 0.0;
    const double transient = m.transient;
    const double limit = static_cast<double>(m.transient) + m.steps;
    const double halfLogD = 0.5 * std::log2(static_cast<double>(D));

    // Every coefficient a lane, so the two swept ones need no case of their own.
    alignas(64) double c[MAX_CODE_LENGTH][L];
    for (int p = 1; p <= M; ++p)
        for (int l = 0; l < L; ++l)
            c[p][l] = s.coefficients[static_cast<std::size_t>(p)];
    // The terms of each equation that can be nonzero: adding 0 x a finite product changes no sum,
    // and an escaped orbit is over before a product can overflow.
    int used[4][MonomialTable::MOST_TERMS];
    int usedCount[4] = {};
    for (int k = 0; k < D; ++k)
        for (int t = 1; t < T; ++t) {
            const int p = 1 + k * T + t;
            if (s.coefficients[static_cast<std::size_t>(p)] != 0.0 || p == m.x.place || p == m.y.place)
                used[k][usedCount[k]++] = t;
        }

    alignas(64) double mono[MonomialTable::MOST_TERMS][L];
    alignas(64) double dmono[MonomialTable::MOST_TERMS][L];
    for (int l = 0; l < L; ++l) {
        mono[0][l] = 1.0;
        dmono[0][l] = 0.0;
    }

    LaneState st;
    std::int64_t next = first;
    int liveLanes = 0;
    auto load = [&](int l) {
        const bool has = next < last;
        st.live[l] = has ? 1.0 : 0.0;
        st.steps[l] = 0.0;
        st.logs[l] = 0;
        for (int k = 0; k < 4; ++k) {
            st.x[k][l] = has && k < D ? s.start[static_cast<std::size_t>(k)] : 0.0;
            st.v[k][l] = k < D ? 1.0 : 0.0;
        }
        if (!has)
            return;
        const std::int64_t pixel = next++;
        st.pixel[l] = pixel;
        c[m.x.place][l] = m.ColumnValue(static_cast<int>(pixel % m.width));
        c[m.y.place][l] = m.RowValue(static_cast<int>(pixel / m.width));
        ++liveLanes;
    };
    for (int l = 0; l < L; ++l)
        load(l);

    while (liveLanes > 0) {
        for (int t = 1; t < T; ++t) {
            const double* parent = mono[table.parent[static_cast<std::size_t>(t)]];
            const double* dparent = dmono[table.parent[static_cast<std::size_t>(t)]];
            const int u = table.var[static_cast<std::size_t>(t)];
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                mono[t][l] = parent[l] * st.x[u][l];
                dmono[t][l] = dparent[l] * st.x[u][l] + parent[l] * st.v[u][l];
            }
        }
        alignas(64) double nx[4][L], nv[4][L];
        for (int k = 0; k < D; ++k) {
            alignas(64) double acc[L], dacc[L];
            const double* c0 = c[1 + k * T];
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                acc[l] = c0[l];
                dacc[l] = 0.0;
            }
            for (int i = 0; i < usedCount[k]; ++i) {
                const int t = used[k][i];
                const double* ct = c[1 + k * T + t];
#pragma omp simd
                for (int l = 0; l < L; ++l) {
                    acc[l] = acc[l] + ct[l] * mono[t][l];
                    dacc[l] = dacc[l] + ct[l] * dmono[t][l];
                }
            }
            if (ode) {
#pragma omp simd
                for (int l = 0; l < L; ++l) {
                    nx[k][l] = st.x[k][l] + h * acc[l];
                    nv[k][l] = st.v[k][l] + h * dacc[l];
                }
            } else {
#pragma omp simd
                for (int l = 0; l < L; ++l) {
                    nx[k][l] = acc[l];
                    nv[k][l] = dacc[l];
                }
            }
        }

        // The tangent vector is scaled by a power of two near 1 / its length: exact, no log a step.
        alignas(64) double norm2[L], fine[L];
#pragma omp simd
        for (int l = 0; l < L; ++l) {
            norm2[l] = 0.0;
            fine[l] = 1.0;
        }
        for (int k = 0; k < D; ++k)
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                norm2[l] = norm2[l] + nv[k][l] * nv[k][l];
                fine[l] = std::fabs(nx[k][l]) <= MAP_ESCAPE_LIMIT ? fine[l] : 0.0; // NaN fails
            }
        alignas(64) std::uint64_t bits[L];
        alignas(64) double scale[L];
        std::memcpy(bits, norm2, sizeof bits);
        alignas(64) std::uint64_t scaleBits[L];
#pragma omp simd
        for (int l = 0; l < L; ++l) {
            const std::int64_t half = static_cast<std::int64_t>((bits[l] >> 52) & 0x7FF) / 2 - 511;
            st.logs[l] += half;
            scaleBits[l] = static_cast<std::uint64_t>(1023 - half) << 52;
        }
        std::memcpy(scale, scaleBits, sizeof scale);
        for (int k = 0; k < D; ++k)
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                st.x[k][l] = nx[k][l];
                st.v[k][l] = nv[k][l] * scale[l];
            }
        double events = 0.0;
#pragma omp simd reduction(max : events)
        for (int l = 0; l < L; ++l) {
            st.steps[l] += 1.0;
            const double due = st.steps[l] == transient || st.steps[l] == limit ? 1.0 : 0.0;
            const double event = fine[l] == 0.0 ? 1.0 : due;
            events = event * st.live[l] > events ? event * st.live[l] : events;
        }
        if (events == 0.0)
            continue;
        for (int l = 0; l < L; ++l) {
            if (st.live[l] == 0.0)
                continue;
            double* value = values + (st.pixel[l] - first);
            if (fine[l] == 0.0) {
                *value = MAP_ESCAPE;
            } else if (st.steps[l] == limit) {
                double length2 = 0.0;
                for (int k = 0; k < D; ++k)
                    length2 += st.v[k][l] * st.v[k][l];
                *value = (static_cast<double>(st.logs[l]) + 0.5 * std::log2(length2) - halfLogD) / m.steps;
            } else {
                if (st.steps[l] == transient) {
                    for (int k = 0; k < D; ++k)
                        st.v[k][l] = 1.0;
                    st.logs[l] = 0;
                }
                continue;
            }
            --liveLanes;
            load(l);
        }
    }
}
