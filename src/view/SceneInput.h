#pragma once
#include "SceneStyle.h"

namespace zephyra {

class Attractor;
struct PointBuffer;

// What one drawing of the scene reads from the document.
struct SceneInput {
    const Attractor* attractor = nullptr; // none: nothing is drawn
    const PointBuffer* buffer = nullptr;
    const AttractorDefaults* defaults = nullptr;
    ViewFlags flags;
    bool dragging = false;
    bool adaptive = false;
    bool pointsHidden = false; // a picture is already there: only box and cross go over it
};

} // namespace zephyra
