// The free-running kernels, included once per instruction set inside its own namespace (see
// FreeRunKernelBase.cpp, FreeRunKernelAvx2.cpp and FreeRunKernelAvx512.cpp). Loops run over the
// lanes so the compiler vectorises them; only the accumulation into the canvas is scalar.

constexpr int L = ORBIT_LANES;
using Lanes = double[4][L];
// A ColorCell as one vector register: count, red, green, blue.
using CellHit = std::uint32_t __attribute__((vector_size(sizeof(ColorCell))));

// One step of a polynomial case in every lane: the monomials in the engine's order, each
// coefficient x monomial added to its equation's sum.
template <int D, int O, bool Ode> struct PolynomialLanes {
    static constexpr int T = TermsPerEquation(D, O);
    double a[D][T];

    explicit PolynomialLanes(const OrbitSource& source)
    {
        for (int k = 0; k < D; ++k)
            for (int j = 0; j < T; ++j)
                a[k][j] = source.coefficients[static_cast<std::size_t>(1 + k * T + j)];
    }

    template <int Degree, int From, int Term>
    [[gnu::always_inline]] inline void Expand(const Lanes& in, const double (&product)[L],
                                              double (&acc)[D][L]) const
    {
        if constexpr (From < D) {
            double next[L];
#pragma omp simd
            for (int l = 0; l < L; ++l)
                next[l] = product[l] * in[From][l];
            for (int k = 0; k < D; ++k)
#pragma omp simd
                for (int l = 0; l < L; ++l)
                    acc[k][l] += a[k][Term] * next[l];
            constexpr int after = Term + 1;
            if constexpr (Degree < O) {
                Expand<Degree + 1, From, after>(in, next, acc);
                Expand<Degree, From + 1, after + TermsPerEquation(D - From, O - Degree) - 1>(in, product,
                                                                                             acc);
            } else {
                Expand<Degree, From + 1, after>(in, product, acc);
            }
        }
    }

    [[gnu::always_inline]] inline void operator()(const Lanes& in, Lanes& out, std::uint32_t,
                                                  std::uint32_t) const
    {
        double acc[D][L];
        for (int k = 0; k < D; ++k)
#pragma omp simd
            for (int l = 0; l < L; ++l)
                acc[k][l] = a[k][0];
        double one[L];
#pragma omp simd
        for (int l = 0; l < L; ++l)
            one[l] = 1.0;
        Expand<1, 0, 1>(in, one, acc);
        for (int k = 0; k < 4; ++k)
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                if (k >= D)
                    out[k][l] = 0.0;
                else if constexpr (Ode)
                    out[k][l] = in[k][l] + 0.1 * acc[k][l];
                else
                    out[k][l] = acc[k][l];
            }
    }
};

// The special maps evaluate too many sines and powers to gain from lanes: each lane takes the
// engine's formula in double, with the coefficients in double (exact values too). Their w follows
// the step number.
struct SpecialLanes {
    WideStepFunction step;
    const double* a;

    explicit SpecialLanes(const OrbitSource& source)
        : step(SelectWideSpecialStep(source.kind)), a(source.coefficients.data())
    {
    }

    void operator()(const Lanes& in, Lanes& out, std::uint32_t i, std::uint32_t n) const
    {
        for (int l = 0; l < L; ++l) {
            const WidePoint p{in[0][l], in[1][l], in[2][l], in[3][l]};
            WidePoint q;
            step(a, static_cast<int>(n), p, q, static_cast<int>(i));
            for (int k = 0; k < 4; ++k)
                out[k][l] = q[k];
        }
    }
};

// The cells one step of the lanes adds to: the word of its count (-1 for none), the first word of
// the pixel's record (its coloured cell) and what it adds there for coordinate colours, and the
// point's depth for a depth shade.
struct Pending {
    alignas(64) int index[L];
    alignas(64) int cell[L];
    alignas(64) std::uint32_t add[L][4];
    alignas(64) std::uint32_t depth[L];
    Pending()
    {
        for (int l = 0; l < L; ++l)
            index[l] = -1;
    }
};

template <bool Colors>
[[gnu::always_inline]] inline void Accumulate(const Pending& hits, const CanvasCells& canvas)
{
    for (int l = 0; l < L; ++l) {
        const int i = hits.index[l];
        if (i < 0)
            continue;
        std::uint32_t& count = canvas.words[i];
        count += count != 0xFFFFFFFFu;
        if (canvas.depthWords)
            canvas.AddDepthAt(static_cast<std::size_t>(hits.cell[l] + canvas.colorWords), hits.depth[l]);
        if constexpr (Colors) {
            // One load, add and store of the whole cell.
            std::uint32_t* const c = canvas.words + hits.cell[l];
            CellHit sum, hit;
            std::memcpy(&sum, c, sizeof sum);
            std::memcpy(&hit, hits.add[l], sizeof hit);
            sum += hit;
            std::memcpy(c, &sum, sizeof sum);
            if (sum[0] == CELL_COUNT_LIMIT) [[unlikely]]
                SpillCell(canvas, static_cast<std::size_t>(hits.cell[l]) / canvas.Stride());
        }
    }
}

template <typename Step, bool Colors>
void RunLanes(OrbitLanes& lanes, const OrbitSource& source, const CanvasProjection& pr, int steps,
              CanvasCells canvas)
{
    const Step step(source);
    // Truncation toward zero places a point as the view does: -1 < v < size. A strip keeps the
    // rows whose truncation falls in [top, top + rows), so strips and one canvas agree.
    const float width = static_cast<float>(pr.width), top = static_cast<float>(pr.top);
    const float rowsAbove = pr.top == 0 ? -1.0f : std::nextafter(top, 0.0f);
    constexpr float OFF_CANVAS = -2.0f;
    const float rowsEnd = static_cast<float>(pr.top + pr.rows < pr.height ? pr.top + pr.rows : pr.height);
    // Locals: GCC leaves the index loop scalar when it reads pr there.
    const int S = pr.supersample;
    const int cellsPerRow = pr.width / S;
    const float perCell = 1.0f / static_cast<float>(S);
    const int stride = static_cast<int>(canvas.Stride());
    constexpr int colorWords = Colors ? static_cast<int>(sizeof(ColorCell) / sizeof(std::uint32_t)) : 0;
    const int countsAt = colorWords + canvas.depthWords; // the first count within a record
    const bool depth = canvas.depthWords != 0;
    const float depthNear = pr.depthNear, depthScale = pr.depthScale;
    // The canvas is far larger than the caches and the orbits scatter over it: each step's cells
    // are fetched while the next step is computed, and only then incremented.
    Pending pending;
    for (int s = 0; s < steps; ++s) {
        alignas(64) double next[4][L];
        step(lanes.p, next, lanes.step, lanes.orbitSteps);
        ++lanes.step;

        // Each loop below is one simple pass over the lanes, so that each becomes vector code.
        // The normalised point is near -1..1: single precision places it on any canvas.
        alignas(64) float n[4][L];
        // Masks are numbers and every condition one select: GCC 12 vectorises these, not chains
        // of bool operators. fine is 1 while the lane stays near the attractor (NaN fails the tests).
        alignas(64) double fine[L];
#pragma omp simd
        for (int l = 0; l < L; ++l)
            fine[l] = 1.0;
        for (int k = 0; k < 4; ++k)
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                const double v = next[k][l] * pr.normScale[k] + pr.normOffset[k];
                n[k][l] = static_cast<float>(v);
                const double low = v >= -ORBIT_LIMIT ? fine[l] : 0.0;
                fine[l] = v <= ORBIT_LIMIT ? low : 0.0;
            }
        // The mask again as floats, so the float loops below select with whole 16-lane masks
        // instead of assembling them from two 8-lane double masks bit by bit.
        alignas(64) float fineF[L];
#pragma omp simd
        for (int l = 0; l < L; ++l)
            fineF[l] = static_cast<float>(fine[l]);
        alignas(64) float clip[3][L];
        for (int r = 0; r < 3; ++r)
#pragma omp simd
            for (int l = 0; l < L; ++l)
                clip[r][l] = pr.clip[r][0] * n[0][l] + pr.clip[r][1] * n[1][l] + pr.clip[r][2] * n[2][l] +
                             pr.clip[r][3] * n[3][l] + pr.clipOffset[r];
        alignas(64) int canvasColumn[L], canvasRow[L];
        Pending hits;
        int(&index)[L] = hits.index;
        int(&cell)[L] = hits.cell;
#pragma omp simd
        for (int l = 0; l < L; ++l) {
            const float w = clip[2][l] != 0.0f ? clip[2][l] : 1.0f;
            const float row = pr.centreY - clip[1][l] / w * pr.halfHeight;
            float column = clip[0][l] / w * pr.halfWidth + pr.centreX;
            column = clip[2][l] != 0.0f ? column : OFF_CANVAS;
            column = fineF[l] != 0.0f ? column : OFF_CANVAS;
            column = row > rowsAbove ? column : OFF_CANVAS;
            column = row < rowsEnd ? column : OFF_CANVAS;
            column = column < width ? column : OFF_CANVAS;
            const bool inside = column > -1.0f;
            canvasColumn[l] = static_cast<int>(inside ? column : -1.0f);
            canvasRow[l] = static_cast<int>(inside ? row : top) - pr.top;
        }
        // The picture pixel is found by integer division by S in float, where it vectorises: the
        // half keeps each quotient clear of whole numbers. A lane off the canvas gets pixel 0.
#pragma omp simd
        for (int l = 0; l < L; ++l) {
            const int cellRow = static_cast<int>((static_cast<float>(canvasRow[l]) + 0.5f) * perCell);
            const int cellColumn = static_cast<int>((static_cast<float>(canvasColumn[l]) + 0.5f) * perCell);
            const int record = (cellRow * cellsPerRow + cellColumn) * stride;
            const int sub = (canvasRow[l] - cellRow * S) * S + canvasColumn[l] - cellColumn * S;
            cell[l] = record;
            index[l] = canvasColumn[l] >= 0 ? record + countsAt + sub : -1;
        }
        if (depth) {
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                const float d = (clip[2][l] - depthNear) * depthScale;
                const float below = d < DEEPEST ? d : DEEPEST;
                const float held = below > 0.0f ? below : 0.0f; // NaN too
                hits.depth[l] = static_cast<std::uint32_t>(static_cast<int>(held + 0.5f));
            }
        }
        // What each lane adds to its picture pixel's colour cell, laid out as the cell: one hit
        // and its colour.
        std::uint32_t(&add)[L][4] = hits.add;
        if constexpr (Colors) {
#pragma omp simd
            for (int l = 0; l < L; ++l) {
                add[l][0] = 1;
                for (int k = 0; k < 3; ++k) {
                    const float v = pr.color[k][0] * n[0][l] + pr.color[k][1] * n[1][l] +
                                    pr.color[k][2] * n[2][l] + pr.color[k][3] * n[3][l] + pr.colorOffset[k];
                    const float below = v < 255.0f ? v : 255.0f;
                    const float held = below > 0.0f ? below : 0.0f; // NaN too
                    add[l][k + 1] = static_cast<std::uint32_t>(static_cast<int>(held + 0.5f));
                }
            }
        }
        for (int k = 0; k < 4; ++k)
#pragma omp simd
            for (int l = 0; l < L; ++l)
                lanes.p[k][l] = next[k][l];
        // Restarts are rare: one vector test skips the lane by lane look.
        double allFine = 1.0;
#pragma omp simd reduction(min : allFine)
        for (int l = 0; l < L; ++l)
            allFine = fine[l] < allFine ? fine[l] : allFine;
        if (allFine == 0.0)
            for (int l = 0; l < L; ++l)
                if (fine[l] == 0.0)
                    lanes.Restart(source, l);

        // Without a branch a lane: a lane off the canvas fetches pixel 0 in vain. At S = 2 the
        // count and the cell share a line and the second fetch costs next to nothing.
        for (int l = 0; l < L; ++l) {
            __builtin_prefetch(canvas.words + (index[l] >= 0 ? index[l] : 0), 1);
            if constexpr (Colors)
                __builtin_prefetch(canvas.words + cell[l], 1);
        }
        Accumulate<Colors>(pending, canvas);
        pending = hits;
    }
    Accumulate<Colors>(pending, canvas);
}

template <int D, int O, bool Ode> LaneKernel Polynomial(bool colors)
{
    return colors ? &RunLanes<PolynomialLanes<D, O, Ode>, true>
                  : &RunLanes<PolynomialLanes<D, O, Ode>, false>;
}

template <int D, bool Ode> LaneKernel ByOrder(int order, bool colors)
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

template <bool Ode> LaneKernel ByDimension(int dimension, int order, bool colors)
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
