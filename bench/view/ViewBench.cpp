// Frame times of the attractor view at 800 x 600, its OpenGL path and its CPU path side by side:
// a full paint of 1 000 000 points, a drag paint, a black-and-white paint, antialiasing, and, as
// the baseline, the same points sent one vertex call at a time. Wall time per frame up to
// glFinish, and the CPU time of the calling thread; last, drag frames of the view in a window.
#include "Attractor.h"
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "CpuPointRaster.h"
#include "DocumentAccess.h"
#include "FakeHost.h"
#include "GlAccumulator.h"
#include "GlSceneRenderer.h"
#include "OrbitFixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_2_0>
#include <QOpenGLPaintDevice>
#include <QOpenGLVersionFunctionsFactory>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace zephyra;

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;
constexpr int POINTS = 1000000;

double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Runs `frame` (ending in glFinish) once to warm up, then `repeats` times; prints the fastest and
// the median wall time and the mean CPU time of the drawing thread per frame. The machine may be
// shared, so the fastest frame is the fairest comparison.
void Measure(const char* name, int repeats, const std::function<void()>& frame)
{
    frame();
    std::vector<double> walls;
    const double cpuStart = ThreadSeconds();
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        frame();
        walls.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    const double cpu = ThreadSeconds() - cpuStart;
    std::sort(walls.begin(), walls.end());
    std::printf("%s: %.1f ms (median %.1f ms, calling thread's CPU %.1f ms, %d frames)\n", name,
                walls.front() * 1e3, walls[walls.size() / 2] * 1e3, cpu * 1e3 / repeats, repeats);
}

// The point cloud sent as OpenGL 1.1 would: one colour and one vertex call per point.
void DrawOneCallPerPoint(QOpenGLFunctions_2_0& gl, const Attractor& a, const PointBuffer& buffer,
                         const ViewportSize& viewport)
{
    const SceneColors colors = ChooseColors(a, {}, AttractorDefaults{});
    gl.glUseProgram(0);
    gl.glViewport(0, 0, viewport.width, viewport.height);
    gl.glEnable(GL_DEPTH_TEST);
    gl.glClearColor(colors.background[0], colors.background[1], colors.background[2], 1.0f);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadMatrixf(SceneMatrix(a, viewport.Aspect()).data());
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    const Rgb& fg = colors.foreground;
    gl.glBegin(GL_POINTS);
    for (int i = FIRST_DRAWN_POINT; i < buffer.count; ++i) {
        const Point& p = buffer.points[i];
        gl.glColor3f((p[0] + 1.0f) * 0.5f * fg[0], (p[1] + 1.0f) * 0.5f * fg[1],
                     (p[2] + 1.0f) * 0.5f * fg[2]);
        gl.glVertex3f(p[0], p[1], p[2]);
    }
    gl.glEnd();
}

// Drag frames of the view in a window, as a person makes them: from a mouse move to the frame on
// screen, for each path, with adaptive degradation and with every point.
void MeasureWindowDrags(const Attractor& shown, PointBuffer&& buffer)
{
    testing::FakeHost host;
    CZephyraDoc doc(host, nullptr, 1);
    Arrange(doc).current = shown.Clone(doc.defaults());
    Arrange(doc).buffer = std::move(buffer);
    CZephyraView view(doc);
    view.resize(WIDTH, HEIGHT);
    view.show();
    QEventLoop exposed;
    QObject::connect(&view, &QOpenGLWidget::frameSwapped, &exposed, &QEventLoop::quit);
    exposed.exec();
    const auto send = [&view](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, view.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
    };
    for (const bool adaptive : {true, false})
        for (const int where : {2, 1}) {
            Arrange(doc).settings.pointsOnCpu = where;
            Arrange(doc).settings.viewAdaptive = adaptive;
            const std::string name = std::string(where == 1 ? "CPU" : "GL") + " path, window drag frame, " +
                                     (adaptive ? "adaptive degradation" : "every point");
            int x = 100;
            send(QEvent::MouseButtonPress, {x, 300}, Qt::LeftButton, Qt::LeftButton);
            Measure(name.c_str(), adaptive ? 60 : 10, [&] {
                QEventLoop painted;
                QObject::connect(&view, &QOpenGLWidget::frameSwapped, &painted, &QEventLoop::quit);
                send(QEvent::MouseMove, {++x, 300}, Qt::NoButton, Qt::LeftButton);
                painted.exec();
            });
            send(QEvent::MouseButtonRelease, {x, 300}, Qt::LeftButton, Qt::NoButton);
        }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    QOpenGLContext context;
    context.setFormat(format);
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    if (!context.create() || !context.makeCurrent(&surface)) {
        std::fprintf(stderr, "bench_view: no OpenGL context (is there a display?)\n");
        return 1;
    }
    auto* gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_2_0>(&context);
    if (!gl) {
        std::fprintf(stderr, "bench_view: no OpenGL 2.0 compatibility functions for the baseline\n");
        return 1;
    }
    gl->initializeOpenGLFunctions();
    std::printf("OpenGL %s on %s, %d x %d, %d points\n",
                reinterpret_cast<const char*>(context.functions()->glGetString(GL_VERSION)),
                reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER)), WIDTH, HEIGHT,
                POINTS);

    AttractorDefaults defaults;
    AttractorRef attractor = Attractor::CreateFromCode(testing::HENON_CODE, defaults);
    attractor->yaw = 20.0f;
    attractor->pitch = 15.0f;
    PointBuffer buffer;
    testing::FillOrbit(buffer, *attractor, POINTS);

    QOpenGLFramebufferObject target(WIDTH, HEIGHT, QOpenGLFramebufferObject::Depth);
    target.bind();
    const ViewportSize viewport = ViewportFor(WIDTH, HEIGHT);
    {
        GlSceneRenderer renderer;
        GlAccumulator accumulator;
        SceneInput scene{attractor.get(), &buffer, &defaults, {}, false, true};
        auto finish = [&] { context.functions()->glFinish(); };

        auto fullPaint = [&] {
            attractor->yaw += 1.0f; // the camera moves, the points stay on the GPU
            renderer.Draw(scene, viewport);
            finish();
        };
        auto baseline = [&] {
            DrawOneCallPerPoint(*gl, *attractor, buffer, viewport);
            finish();
        };
        // The CPU path as the view takes it: the picture drawn on the workers, then painted into
        // the framebuffer as an image.
        CpuPointRaster raster;
        QOpenGLPaintDevice device(WIDTH, HEIGHT);
        auto cpuPaint = [&](int supersample) {
            const QImage image = raster.Draw(scene, {WIDTH, HEIGHT}, supersample);
            QPainter painter(&device);
            painter.drawImage(0, 0, image);
            painter.end();
            finish();
        };
        auto cpuFullPaint = [&] {
            attractor->yaw += 1.0f;
            cpuPaint(1);
        };
        for (int round = 0; round < 2; ++round) {
            Measure("GL path, full paint, 1000000 points", 10, fullPaint);
            Measure("CPU path, full paint, 1000000 points", 20, cpuFullPaint);
        }
        Measure("GL baseline, one vertex call per point", 10, baseline);
        scene.dragging = true;
        Measure("GL path, drag paint, adaptive degradation", 100, fullPaint);
        Measure("CPU path, drag paint, adaptive degradation", 100, cpuFullPaint);
        scene.adaptive = false;
        Measure("GL path, drag paint, every point", 10, fullPaint);
        Measure("CPU path, drag paint, every point", 20, cpuFullPaint);
        scene.adaptive = true;
        scene.dragging = false;
        scene.flags.blackWhite = true;
        Measure("GL path, full paint, black and white", 10, [&] {
            renderer.Draw(scene, viewport);
            finish();
        });
        Measure("CPU path, full paint, black and white", 20, [&] { cpuPaint(1); });
        scene.flags.blackWhite = false;
        for (int setting : {0, 1}) {
            Measure(setting == 0 ? "GL path, antialiasing, 4 passes" : "GL path, antialiasing, 8 passes", 5,
                    [&] {
                        accumulator.Accumulate({WIDTH, HEIGHT}, JitterTable(setting), JitterWeight(setting),
                                               [&](const JitterSample& s) {
                                                   renderer.Draw(scene, viewport, s.x * 0.001f, s.y * 0.001f);
                                               });
                        target.bind();
                        accumulator.Present();
                        finish();
                    });
            const int s = SupersampleOf(setting);
            Measure(s == 2 ? "CPU path, antialiasing, supersample 2"
                           : "CPU path, antialiasing, supersample 3",
                    10, [&] { cpuPaint(s); });
        }
        std::printf("point sets uploaded over all frames: %d\n", renderer.Uploads());
        renderer.Release();
        accumulator.Release();
    }
    target.release();
    context.doneCurrent();
    MeasureWindowDrags(*attractor, std::move(buffer));
    return 0;
}
