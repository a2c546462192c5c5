#include "CpuPointRaster.h"

#include "Attractor.h"
#include "Camera.h"
#include "PointBuffer.h"

#include <algorithm>
#include <atomic>
#include <barrier>
#include <cmath>
#include <limits>
#include <thread>

namespace zephyra {

namespace {

constexpr std::uint64_t EMPTY = std::numeric_limits<std::uint64_t>::max();
constexpr float DEPTH_STEPS = 16777215.0f; // the 24 bits of the GL path's depth buffer
constexpr int MAX_THREADS = 8;
// The canvas of a supersampled picture stays within this; a large view supersamples less.
constexpr std::size_t CANVAS_BYTES_LIMIT = std::size_t{256} << 20;

// Runs part(k) for k = 0 .. parts - 1, part 0 on the calling thread.
template <typename Part> void RunParts(int parts, const Part& part)
{
    std::vector<std::jthread> workers;
    workers.reserve(static_cast<std::size_t>(parts - 1));
    for (int k = 1; k < parts; ++k)
        workers.emplace_back([&part, k] { part(k); });
    part(0);
}

// Where the points go and how they are coloured, as the vertex shader does it.
struct Projection {
    AffineMap position; // model point to clip space
    AffineMap color;
    float halfWidth = 0, halfHeight = 0; // half the viewport, in canvas pixels
    int width = 0, height = 0;           // the canvas
};

std::uint8_t ChannelByte(float c)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f));
}

// Keeps, in `nearest`, the key of points [begin, end) that wins each canvas pixel.
void Rasterise(const Projection& pr, const Point* points, int begin, int end, std::uint64_t* nearest)
{
    const Matrix4& m = pr.position.linear;
    const Vector4& o = pr.position.offset;
    for (int i = begin; i < end; ++i) {
        const Point& p = points[i];
        const float x = m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12] * p[3] + o[0];
        const float y = m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13] * p[3] + o[1];
        const float z = m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14] * p[3] + o[2];
        const float w = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15] * p[3] + o[3];
        // The clip volume; NaN fails every comparison and is dropped with it.
        if (!(x >= -w && x <= w && y >= -w && y <= w && z >= -w && z <= w))
            continue;
        // The divide and the viewport as Mesa's rasteriser does them, so that the many points
        // whose depths fall into one 24-bit step resolve alike.
        const float inverse = 1.0f / w;
        const int column = static_cast<int>(x * inverse * pr.halfWidth + pr.halfWidth);
        const int rowUp = static_cast<int>(y * inverse * pr.halfHeight + pr.halfHeight);
        // The viewport reaches one pixel beyond the picture's right and top edges.
        if (column >= pr.width || rowUp >= pr.height)
            continue;
        const float depth = z * inverse * 0.5f + 0.5f;
        const std::uint64_t key =
            static_cast<std::uint64_t>(depth * DEPTH_STEPS) << 32 | static_cast<std::uint32_t>(i);
        // All workers share the canvas; most points lose to the one there, and a look settles that
        // without a locked instruction.
        std::atomic_ref<std::uint64_t> slot(
            nearest[static_cast<std::size_t>(pr.height - 1 - rowUp) * pr.width + column]);
        std::uint64_t there = slot.load(std::memory_order_relaxed);
        while (key < there && !slot.compare_exchange_weak(there, key, std::memory_order_relaxed)) {
        }
    }
}

struct Bytes {
    int r, g, b;
};

Bytes PointColor(const AffineMap& color, const Point& p)
{
    const Vector4 c = color.Apply(p);
    return {ChannelByte(c[0]), ChannelByte(c[1]), ChannelByte(c[2])};
}

} // namespace

CpuPointRaster::CpuPointRaster(int threads)
    : threads_(threads > 0
                   ? threads
                   : std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MAX_THREADS))
{
}

int SupersampleOf(int antialias)
{
    return antialias == 0 ? 2 : 3;
}

QImage CpuPointRaster::Draw(const SceneInput& scene, const QSize& size, int supersample)
{
    lastDrawn_ = 0;
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (!scene.attractor) {
        image.fill(Qt::white);
        return image;
    }
    const Attractor& a = *scene.attractor;
    const SceneColors colors = ChooseColors(a, scene.flags, *scene.defaults);
    const Bytes background{ChannelByte(colors.background[0]), ChannelByte(colors.background[1]),
                           ChannelByte(colors.background[2])};
    image.fill(qRgb(background.r, background.g, background.b));
    const PointBuffer* buffer = scene.buffer;
    if (scene.pointsHidden || !buffer || !buffer->ready || !buffer->points)
        return image;
    const int end = DrawnPointEnd(a.pointsCount, buffer->count, scene.dragging, scene.adaptive);
    if (end <= FIRST_DRAWN_POINT)
        return image;

    int s = std::max(supersample, 1);
    const auto canvasBytes = [&image](int factor) {
        return static_cast<std::size_t>(image.width()) * image.height() * factor * factor *
               sizeof(std::uint64_t);
    };
    while (s > 1 && canvasBytes(s) > CANVAS_BYTES_LIMIT)
        --s;
    const ViewportSize viewport = ViewportFor(image.width(), image.height());
    const CameraPose pose = CameraPose::Of(a);
    const Matrix4 matrix = SceneMatrix(pose, viewport.Aspect());
    const AffineMap axes = TurnedAxisMapping(a.display, pose);
    Projection pr;
    pr.position.linear = Multiply(matrix, axes.linear);
    pr.position.offset = Transform(matrix, axes.offset);
    pr.color = ColorMapping(a.display, colors.foreground, scene.flags.blackWhite);
    pr.halfWidth = 0.5f * static_cast<float>(viewport.width * s);
    pr.halfHeight = 0.5f * static_cast<float>(viewport.height * s);
    pr.width = image.width() * s;
    pr.height = image.height() * s;

    const std::size_t pixels = static_cast<std::size_t>(pr.width) * pr.height;
    nearest_.resize(pixels);
    const Point* points = buffer->points.get();
    const int drawn = end - FIRST_DRAWN_POINT;
    const int parts = threads_;
    const int samples = s * s;
    std::barrier<> phase(parts);
    // Each worker clears a band of the canvas, places a share of the points, then resolves a band
    // of picture rows: the nearest point's colour, averaged over S x S.
    uchar* const bits = image.bits(); // detached here, once, not by each worker
    RunParts(parts, [&](int k) {
        // Part k of n things: [n k / parts, n (k + 1) / parts).
        const auto from = [k, parts](std::size_t n) { return n * static_cast<std::size_t>(k) / parts; };
        const auto to = [k, parts](std::size_t n) { return n * static_cast<std::size_t>(k + 1) / parts; };
        std::fill(nearest_.begin() + static_cast<std::ptrdiff_t>(from(pixels)),
                  nearest_.begin() + static_cast<std::ptrdiff_t>(to(pixels)), EMPTY);
        phase.arrive_and_wait();
        const auto count = static_cast<std::size_t>(drawn);
        Rasterise(pr, points, FIRST_DRAWN_POINT + static_cast<int>(from(count)),
                  FIRST_DRAWN_POINT + static_cast<int>(to(count)), nearest_.data());
        phase.arrive_and_wait();
        const auto rows = static_cast<std::size_t>(image.height());
        for (auto row = static_cast<int>(from(rows)); row < static_cast<int>(to(rows)); ++row) {
            auto* line =
                reinterpret_cast<QRgb*>(bits + static_cast<std::ptrdiff_t>(row) * image.bytesPerLine());
            for (int column = 0; column < image.width(); ++column) {
                int r = 0, g = 0, b = 0;
                for (int sy = 0; sy < s; ++sy)
                    for (int sx = 0; sx < s; ++sx) {
                        const std::uint64_t key =
                            nearest_[static_cast<std::size_t>(row * s + sy) * pr.width + column * s + sx];
                        const Bytes c =
                            key == EMPTY ? background : PointColor(pr.color, points[key & 0xFFFFFFFFu]);
                        r += c.r;
                        g += c.g;
                        b += c.b;
                    }
                line[column] = qRgb((r + samples / 2) / samples, (g + samples / 2) / samples,
                                    (b + samples / 2) / samples);
            }
        }
    });
    lastDrawn_ = drawn;
    return image;
}

} // namespace zephyra
