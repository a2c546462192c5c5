#include "ParameterSystem.h"

#include "AttractorCase.h"
#include "Jacobian.h"

namespace zephyra {

namespace {
void AddTerms(MonomialTable& table, int dimension, int order, int degree, int from, int parent)
{
    for (int v = from; v < dimension; ++v) {
        const int t = table.count++;
        table.parent[static_cast<std::size_t>(t)] = parent;
        table.var[static_cast<std::size_t>(t)] = v;
        if (degree < order)
            AddTerms(table, dimension, order, degree + 1, v, t);
    }
}
} // namespace

ParameterSystem ParameterSystem::Of(const Attractor& a)
{
    ParameterSystem s;
    s.valid = a.valid && static_cast<int>(a.coefficients.size()) == a.codeLength && a.codeLength > 1;
    s.kind = a.kind;
    s.dimension = a.dimension;
    s.order = a.order;
    s.pointsCount = a.pointsCount;
    s.coefficients.resize(a.coefficients.size());
    for (std::size_t i = 1; i < a.coefficients.size(); ++i)
        s.coefficients[i] = a.CoefficientOf(static_cast<int>(i));
    const DisplaySettings& d = a.display;
    s.start = {d.x0, d.y0, d.z0, d.w0};
    return s;
}

bool ParameterSystem::IsPolynomial() const
{
    return kind == KIND_MAP || kind == KIND_ODE;
}

std::string MapRefusal(const ParameterSystem& system)
{
    if (!system.valid)
        return "no valid attractor code";
    if (!SelectTangentSystem(system.kind, system.dimension, system.order).step)
        return "the step of this case has no derivative, so it has no Lyapunov exponent";
    return {};
}

MonomialTable MonomialTable::Of(int dimension, int order)
{
    MonomialTable table;
    table.count = 1;
    AddTerms(table, dimension, order, 1, 0, 0);
    return table;
}

} // namespace zephyra
