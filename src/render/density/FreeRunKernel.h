#pragma once
#include "OrbitSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zephyra {

// Free-running orbits run ORBIT_LANES at a time, one per vector lane, with ordinary float
// rounding (they only need to sample the attractor's distribution, never to repeat the exact orbit).
constexpr int ORBIT_LANES = 16;
// A lane whose normalised coordinates leave -LIMIT..LIMIT (a whole extent beyond the exact
// orbit's bounds) or stop being finite restarts on a point of the exact orbit.
constexpr float ORBIT_LIMIT = 3.0f;
// A coloured cell that reaches this many hits moves its sums into a wide cell and starts again
// from zero, so its colour sums (at most 255 a hit) cannot wrap and no hit is lost.
constexpr std::uint32_t CELL_COUNT_LIMIT = 1u << 24;

// Where a point lands and what colour it adds, all as affine maps of the point in the system's units.
struct CanvasProjection {
    float normScale[4]{1, 1, 1, 1}; // normalised n = p x normScale + normOffset
    float normOffset[4]{};
    float clip[3][4]{}; // clip x, y and w from n (clip z is never needed)
    float clipOffset[3]{};
    float color[3][4]{}; // r, g, b in 0..255 from n, held to that range
    float colorOffset[3]{};
    float halfWidth = 0, centreX = 0, halfHeight = 0,
          centreY = 0; // canvas column = ndc x halfWidth + centreX
    int width = 0;     // canvas cells a row
    int height = 0;    // canvas rows
    int top = 0;       // the rows [top, top + rows) of the canvas this pass keeps
    int rows = 0;
    // S x S canvas positions share one cell (a picture pixel): the resolve sums each block before
    // the tone map, so finer cells would only cost memory and cache misses.
    int supersample = 1;
};

// A cell of a coloured canvas: hits and the sums of their colour bytes.
struct ColorCell {
    std::uint32_t count, red, green, blue;
};

// The sums of a coloured cell beyond what its 32 bits hold.
struct WideCell {
    std::size_t index = 0;
    std::uint64_t count = 0;
    std::uint64_t sums[3]{};
};

// The cells of one worker for one pass, a picture pixel each: counts alone (palettes), which
// saturate, or coloured cells with the wide cells of those that filled up.
struct CanvasCells {
    std::uint32_t* counts = nullptr;
    ColorCell* cells = nullptr;
    std::vector<WideCell>* wide = nullptr; // reserved for every cell that can fill up
};

// Moves coloured cell `index`, just filled up, into its wide cell.
void SpillCell(const CanvasCells& canvas, std::size_t index);

// The state of ORBIT_LANES free-running orbits.
struct OrbitLanes {
    alignas(64) float p[4][ORBIT_LANES]{};
    std::uint64_t random[ORBIT_LANES]{};
    std::uint32_t step = 0; // steps taken; the special maps' w is step / orbitSteps
    std::uint32_t orbitSteps = 1;
    std::uint64_t restarts = 0;

    // Lanes on start points drawn from `seed`.
    OrbitLanes(const OrbitSource& source, std::uint64_t seed, std::uint32_t orbitSteps);
    // Lane `lane` onto a start point of its own drawing.
    void Restart(const OrbitSource& source, int lane);
};

// Advances the lanes `steps` steps, accumulating every point that lands inside the pass's rows.
using LaneKernel = void (*)(OrbitLanes& lanes, const OrbitSource& source, const CanvasProjection& projection,
                            int steps, CanvasCells canvas);
// The fastest kernel this processor runs for the source's system; nullptr for a record without a case.
[[nodiscard]] LaneKernel SelectLaneKernel(const OrbitSource& source, bool colors);

} // namespace zephyra
