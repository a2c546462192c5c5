// The free-running kernels, included once per instruction set inside its own namespace (see
// FreeRunKernelBase.cpp and FreeRunKernelAvx2.cpp). Loops run over the lanes so the compiler
// vectorises them; only the accumulation into the canvas is scalar.

constexpr int L = ORBIT_LANES;
using Lanes = float[4][L];

// One step of a polynomial case in every lane: the monomials in the engine's order, each
// coefficient x monomial added to its equation's sum.
template <int D, int O, bool Ode>
struct PolynomialLanes {
    static constexpr int T = TermsPerEquation(D, O);
    float a[D][T];

    explicit PolynomialLanes(const OrbitSource& source)
    {
        for (int k = 0; k < D; ++k)
            for (int j = 0; j < T; ++j)
                a[k][j] = source.coefficients[static_cast<std::size_t>(1 + k * T + j)];
    }

    template <int Degree, int From, int Term>
    [[gnu::always_inline]] inline void Expand(const Lanes& in, const float (&product)[L], float (&acc)[D][L]) const
    {
        if constexpr (From < D) {
            float next[L];
            for (int l = 0; l < L; ++l)
                next[l] = product[l] * in[From][l];
            for (int k = 0; k < D; ++k)
                for (int l = 0; l < L; ++l)
                    acc[k][l] += a[k][Term] * next[l];
            constexpr int after = Term + 1;
            if constexpr (Degree < O) {
                Expand<Degree + 1, From, after>(in, next, acc);
                Expand<Degree, From + 1, after + TermsPerEquation(D - From, O - Degree) - 1>(in, product, acc);
            } else {
                Expand<Degree, From + 1, after>(in, product, acc);
            }
        }
    }

    [[gnu::always_inline]] inline void operator()(const Lanes& in, Lanes& out, std::uint32_t, std::uint32_t) const
    {
        float acc[D][L];
        for (int k = 0; k < D; ++k)
            for (int l = 0; l < L; ++l)
                acc[k][l] = a[k][0];
        float one[L];
        for (int l = 0; l < L; ++l)
            one[l] = 1.0f;
        Expand<1, 0, 1>(in, one, acc);
        for (int k = 0; k < 4; ++k)
            for (int l = 0; l < L; ++l) {
                if (k >= D)
                    out[k][l] = 0.0f;
                else if constexpr (Ode)
                    out[k][l] = in[k][l] + 0.1f * acc[k][l];
                else
                    out[k][l] = acc[k][l];
            }
    }
};

// The special maps evaluate too many sines and powers to gain from lanes: each lane takes the
// engine's own step.
struct SpecialLanes {
    StepFunction step;
    const float* a;

    explicit SpecialLanes(const OrbitSource& source)
        : step(SelectStep(source.kind, source.dimension, source.order)), a(source.coefficients.data())
    {
    }

    void operator()(const Lanes& in, Lanes& out, std::uint32_t i, std::uint32_t n) const
    {
        for (int l = 0; l < L; ++l) {
            const Point p{in[0][l], in[1][l], in[2][l], in[3][l]};
            Point q;
            step(a, static_cast<int>(n), p, q, static_cast<int>(i));
            for (int k = 0; k < 4; ++k)
                out[k][l] = q[k];
        }
    }
};

template <typename Step, bool Colors>
void RunLanes(OrbitLanes& lanes, const OrbitSource& source, const CanvasProjection& pr, int steps,
              CanvasCells canvas)
{
    const Step step(source);
    const float width = static_cast<float>(pr.width), height = static_cast<float>(pr.height);
    for (int s = 0; s < steps; ++s) {
        alignas(64) float next[4][L];
        step(lanes.p, next, lanes.step, lanes.orbitSteps);
        ++lanes.step;

        alignas(64) int index[L];
        alignas(64) int fine[L];
        alignas(64) std::uint32_t color[3][L];
        for (int l = 0; l < L; ++l) {
            float n[4];
            int ok = 1;
            for (int k = 0; k < 4; ++k) {
                n[k] = next[k][l] * pr.normScale[k] + pr.normOffset[k];
                ok &= n[k] <= ORBIT_LIMIT && n[k] >= -ORBIT_LIMIT; // false for NaN
            }
            float clip[3];
            for (int r = 0; r < 3; ++r)
                clip[r] = pr.clip[r][0] * n[0] + pr.clip[r][1] * n[1] + pr.clip[r][2] * n[2] +
                          pr.clip[r][3] * n[3] + pr.clipOffset[r];
            const float w = clip[2] != 0.0f ? clip[2] : 1.0f;
            const float column = clip[0] / w * pr.halfWidth + pr.centreX;
            const float row = pr.centreY - clip[1] / w * pr.halfHeight;
            // Truncation toward zero, as the view places a point: -1 < v < size. The strip is
            // cut from whole rows afterwards, so strips and one canvas place every point alike.
            const int onCanvas = ok & (clip[2] != 0.0f) & (column > -1.0f) & (column < width) & (row > -1.0f) &
                                 (row < height);
            const int c = static_cast<int>(onCanvas ? column : 0.0f);
            const int r = static_cast<int>(onCanvas ? row : 0.0f) - pr.top;
            const int inside = onCanvas & (r >= 0) & (r < pr.rows);
            index[l] = inside ? r * pr.width + c : -1;
            fine[l] = ok;
            if constexpr (Colors)
                for (int k = 0; k < 3; ++k) {
                    const float v = pr.color[k][0] * n[0] + pr.color[k][1] * n[1] + pr.color[k][2] * n[2] +
                                    pr.color[k][3] * n[3] + pr.colorOffset[k];
                    const float held = v > 0.0f ? (v < 255.0f ? v : 255.0f) : 0.0f;
                    color[k][l] = static_cast<std::uint32_t>(held + 0.5f);
                }
        }
        for (int k = 0; k < 4; ++k)
            for (int l = 0; l < L; ++l)
                lanes.p[k][l] = next[k][l];
        for (int l = 0; l < L; ++l)
            if (!fine[l])
                lanes.Restart(source, l);

        for (int l = 0; l < L; ++l) {
            const int i = index[l];
            if (i < 0)
                continue;
            if constexpr (Colors) {
                ColorCell& cell = canvas.cells[i];
                if (cell.count < CELL_COUNT_LIMIT) {
                    ++cell.count;
                    cell.red += color[0][l];
                    cell.green += color[1][l];
                    cell.blue += color[2][l];
                }
            } else {
                std::uint32_t& count = canvas.counts[i];
                count += count != 0xFFFFFFFFu;
            }
        }
    }
}

template <int D, int O, bool Ode>
LaneKernel Polynomial(bool colors)
{
    return colors ? &RunLanes<PolynomialLanes<D, O, Ode>, true> : &RunLanes<PolynomialLanes<D, O, Ode>, false>;
}

template <int D, bool Ode>
LaneKernel ByOrder(int order, bool colors)
{
    switch (order) {
    case 2:
        return Polynomial<D, 2, Ode>(colors);
    case 3:
        return Polynomial<D, 3, Ode>(colors);
    case 4:
        return Polynomial<D, 4, Ode>(colors);
    case 5:
        return Polynomial<D, 5, Ode>(colors);
    default:
        return nullptr;
    }
}

template <bool Ode>
LaneKernel ByDimension(int dimension, int order, bool colors)
{
    switch (dimension) {
    case 2:
        return ByOrder<2, Ode>(order, colors);
    case 3:
        return ByOrder<3, Ode>(order, colors);
    case 4:
        return ByOrder<4, Ode>(order, colors);
    default:
        return nullptr;
    }
}

LaneKernel SelectKernel(const OrbitSource& source, bool colors)
{
    if (source.kind >= KIND_SPECIAL_Y && source.kind <= KIND_SPECIAL_LAST)
        return colors ? &RunLanes<SpecialLanes, true> : &RunLanes<SpecialLanes, false>;
    if (source.kind == KIND_MAP)
        return ByDimension<false>(source.dimension, source.order, colors);
    if (source.kind == KIND_ODE)
        return ByDimension<true>(source.dimension, source.order, colors);
    return nullptr;
}
