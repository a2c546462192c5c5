#pragma once
#include "DensityRenderer.h"
#include "OrbitSource.h"

namespace zephyra {

// Computes the scene's exact orbit through the engine's ComputePoints (no search) on the calling
// thread, with a document-free context of its own: the start points and normalisation of the
// free-running orbits. Fails for a code the program refuses and for an orbit that leaves every
// bound; a stop request cancels it.
[[nodiscard]] DensityResult ComputeOrbitSource(const DensityScene& scene, std::uint64_t seed,
                                               std::stop_token stop, OrbitSource& source);

} // namespace zephyra
