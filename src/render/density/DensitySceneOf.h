#pragma once
#include "DensityScene.h"
#include "SceneStyle.h"

namespace zephyra {

// The scene of an attractor as the view shows it: its code, camera and axes, with the colours
// the view flags choose (black and white gives black points on white, so a grey density).
// `exactPointsLimit` caps the exact orbit where a quick picture matters more than its last edges.
[[nodiscard]] DensityScene DensitySceneOf(const Attractor& attractor, const ViewFlags& flags,
                                          const AttractorDefaults& defaults,
                                          std::int32_t exactPointsLimit = INT32_MAX);

} // namespace zephyra
