#pragma once
#include "OrbitSource.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zephyra {

// Free-running orbits run ORBIT_LANES at a time, one per vector lane (two AVX-512 or four AVX2
// vectors of doubles), in double precision. They only sample the attractor's distribution, never
// repeat the exact orbit, but a float state cannot do even that: a float orbit of a map falls onto
// a periodic cycle of the float grid within 10^2 to 10^7 steps (the Henon map's after 27 059), so
// a float picture sums a few cycles weighted by chance. A double state does not come back to
// itself within any picture's length.
constexpr int ORBIT_LANES = 16;
// A lane whose normalised coordinates leave -LIMIT..LIMIT (a whole extent beyond the exact
// orbit's bounds) or stop being finite restarts on a point of the exact orbit.
constexpr double ORBIT_LIMIT = 3.0;
// A coloured cell that reaches this many hits moves its sums into a wide cell and starts again
// from zero, so its colour sums (at most 255 a hit) cannot wrap and no hit is lost.
constexpr std::uint32_t CELL_COUNT_LIMIT = 1u << 24;
// The farthest depth a hit adds to its pixel's depth sum; 2^40 hits of it still fit 64 bits.
constexpr float DEEPEST = 65535.0f;

// Where a point lands and what colour it adds, all as affine maps of the point in the system's units.
struct CanvasProjection {
    double normScale[4]{1, 1, 1, 1}; // normalised n = p x normScale + normOffset
    double normOffset[4]{};
    float clip[3][4]{}; // clip x, y and w from n (clip z is never needed)
    float clipOffset[3]{};
    float color[3][4]{}; // r, g, b in 0..255 from n, held to that range
    float colorOffset[3]{};
    float halfWidth = 0, centreX = 0, halfHeight = 0,
          centreY = 0; // canvas column = ndc x halfWidth + centreX
    // A point's depth (its clip w, the distance from the eye along the view) as a whole number:
    // (w - depthNear) x depthScale, held to 0..DEEPEST.
    float depthNear = 0, depthScale = 0;
    int width = 0;  // canvas cells a row
    int height = 0; // canvas rows
    int top = 0;    // the rows [top, top + rows) of the canvas this pass keeps
    int rows = 0;
    // Counts are kept for every canvas cell (the resolve tone-maps each before it averages the
    // S x S cells of a picture pixel); colour sums once a picture pixel, as hue varies slowly.
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

// The cells of one worker for one pass, one record a picture pixel: for coordinate colours its
// coloured cell, for a depth shade the 64-bit sum of its hits' depths, then its S x S saturating
// counts row by row. A point's count, colour and depth share a record, so that a scattered hit
// fetches one cache line rather than two.
struct CanvasCells {
    std::uint32_t* words = nullptr;
    int colorWords = 0; // sizeof(ColorCell) / 4 with coordinate colours, 0 with palettes
    int supersample = 1;
    std::vector<WideCell>* wide = nullptr; // reserved for every cell that can fill up
    int depthWords = 0;                    // DEPTH_WORDS with a depth shade, else 0

    static constexpr int DEPTH_WORDS = 2;

    [[nodiscard]] std::size_t Stride() const
    {
        return static_cast<std::size_t>(colorWords + depthWords + supersample * supersample);
    }
    // The S x S counts of picture pixel `pixel`, row by row.
    [[nodiscard]] std::uint32_t* Counts(std::size_t pixel) const
    {
        return words + pixel * Stride() + colorWords + depthWords;
    }
    // The sum of the depths of the hits of picture pixel `pixel` (with depthWords only).
    [[nodiscard]] std::uint64_t DepthSum(std::size_t pixel) const
    {
        std::uint64_t sum;
        std::memcpy(&sum, words + pixel * Stride() + colorWords, sizeof sum);
        return sum;
    }
    void AddDepth(std::size_t pixel, std::uint64_t depth) const
    {
        AddDepthAt(pixel * Stride() + static_cast<std::size_t>(colorWords), depth);
    }
    // The same at the depth sum's first word.
    void AddDepthAt(std::size_t word, std::uint64_t depth) const
    {
        std::uint64_t sum;
        std::memcpy(&sum, words + word, sizeof sum);
        sum += depth;
        std::memcpy(words + word, &sum, sizeof sum);
    }
    [[nodiscard]] ColorCell& Cell(std::size_t pixel) const
    {
        return *reinterpret_cast<ColorCell*>(words + pixel * Stride());
    }
};

// Moves coloured cell `index`, just filled up, into its wide cell.
void SpillCell(const CanvasCells& canvas, std::size_t index);

// The state of ORBIT_LANES free-running orbits.
struct OrbitLanes {
    alignas(64) double p[4][ORBIT_LANES]{};
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
