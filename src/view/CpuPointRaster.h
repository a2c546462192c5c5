#pragma once
#include "SceneInput.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

namespace zephyra {

// Draws the points of the scene on the CPU, on worker threads, as the OpenGL path does on a
// graphics card: the same projection (4D turn, camera, the viewport one pixel larger than the
// picture), the same point range, one pixel a point, a 24-bit depth test that keeps the first
// point of equal depth, and the same colours rounded to bytes. With supersample S it draws S times
// larger each way and averages S x S blocks. Box and cross are not drawn: they go on top with GL.
class CpuPointRaster {
public:
    // threads 0: one per core, at most eight.
    explicit CpuPointRaster(int threads = 0);

    // The picture of `size` device pixels; the background alone where there is nothing to draw.
    // The supersampled canvas takes 8 bytes a sample and at most 256 MiB: a larger view
    // supersamples less.
    [[nodiscard]] QImage Draw(const SceneInput& scene, const QSize& size, int supersample = 1);
    [[nodiscard]] int LastDrawnPoints() const { return lastDrawn_; }

private:
    int threads_;
    int lastDrawn_ = 0;
    // Depth (high 32 bits) and point index (low 32 bits) of the nearest point of each canvas
    // pixel; the smallest key wins, so a tie goes to the earlier point.
    std::vector<std::uint64_t> nearest_;
};

// The supersampling factor of the view's antialiasing setting: 2 (4 samples) for setting 0,
// else 3 (9 samples), as many samples as the GL path's passes or more.
[[nodiscard]] int SupersampleOf(int antialias);

} // namespace zephyra
