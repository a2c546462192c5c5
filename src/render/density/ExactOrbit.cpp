#include "ExactOrbit.h"

#include "PointGeneration.h"
#include "SceneStyle.h"
#include "WorkerServices.h"

#include <cmath>

namespace zephyra {

namespace {

bool IsFinite(const Point& p)
{
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]) && std::isfinite(p[3]);
}

DensityResult Failed(std::string error)
{
    return {DensityResult::Outcome::Failed, std::move(error)};
}

} // namespace

DensityResult ComputeOrbitSource(const DensityScene& scene, std::uint64_t seed, std::stop_token stop,
                                 OrbitSource& source)
{
    const AttractorDefaults defaults;
    AttractorRef attractor = Attractor::CreateFromCode(scene.code, defaults);
    if (!attractor->valid)
        return Failed("'" + scene.code + "' is not an attractor code");
    if (scene.exactPoints <= FIRST_DRAWN_POINT)
        return Failed("the exact orbit needs more than " + std::to_string(FIRST_DRAWN_POINT) + " points");
    if (scene.coefficients) {
        if (scene.coefficients->size() != attractor->coefficients.size())
            return Failed("the coefficients do not fit the case of '" + scene.code + "'");
        // The exact engine runs in single precision; the free-running orbits keep the doubles.
        std::copy(scene.coefficients->begin(), scene.coefficients->end(), attractor->coefficients.begin());
    }
    attractor->display = scene.display;
    attractor->pointsCount = scene.exactPoints;

    PointBuffer buffer;
    AttractorRef current;
    RandomGenerator random(seed);
    WorkerServices quiet(stop);
    ComputeContext context{buffer, current, random, quiet, quiet};
    if (!ComputePoints(context, attractor, true, false, nullptr)) {
        if (stop.stop_requested())
            return {DensityResult::Outcome::Cancelled, {}};
        return Failed(buffer.points ? "the orbit of '" + scene.code + "' cannot be computed"
                                    : std::string("Not enought memory!"));
    }
    if (!IsFinite(buffer.centre) || !IsFinite(buffer.scale))
        return Failed("the orbit of '" + scene.code + "' leaves every bound");

    source.kind = attractor->kind;
    source.dimension = attractor->dimension;
    source.order = attractor->order;
    if (scene.coefficients)
        source.coefficients = *scene.coefficients;
    else
        source.coefficients.assign(attractor->coefficients.begin(), attractor->coefficients.end());
    source.centre = scene.normalisation ? scene.normalisation->first : buffer.centre;
    source.scale = scene.normalisation ? scene.normalisation->second : buffer.scale;
    source.starts.clear();
    source.starts.reserve(static_cast<std::size_t>(buffer.count - FIRST_DRAWN_POINT));
    for (int i = FIRST_DRAWN_POINT; i < buffer.count; ++i) {
        Point p; // back in the system's own units
        for (int k = 0; k < 4; ++k)
            p[k] = buffer.points[i][k] / buffer.scale[k] + buffer.centre[k];
        if (IsFinite(p))
            source.starts.push_back(p);
    }
    if (source.starts.empty())
        return Failed("the orbit of '" + scene.code + "' leaves every bound");
    return {DensityResult::Outcome::Finished, {}};
}

} // namespace zephyra
