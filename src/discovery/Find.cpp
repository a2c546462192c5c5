#include "Find.h"

namespace zephyra {

AttractorRef MakeAttractor(const Find& find, const AttractorDefaults& defaults)
{
    AttractorRef a = Attractor::CreateFromCode(find.code, defaults);
    if (!find.exactCoefficients.empty())
        a->SetExactCoefficients(find.exactCoefficients);
    a->lyapunov = find.lyapunov;
    a->fractalDim = find.fractalDim;
    a->pointsCount = find.pointsCount;
    a->display = find.display;
    a->thumbnail = find.thumbnail;
    return a;
}

} // namespace zephyra
