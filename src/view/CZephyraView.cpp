#include "CZephyraView.h"

#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "CpuPointRaster.h"
#include "DensitySceneOf.h"
#include "DensityViewWorker.h"
#include "GlAccumulator.h"
#include "GlSceneRenderer.h"
#include "StatusTexts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QPrinter>
#include <QSurfaceFormat>

#include <cmath>

namespace zephyra {

namespace {

// The Density view's exact orbit: enough for its bounds, few enough for a first picture at once.
constexpr std::int32_t DENSITY_EXACT_POINTS = 200000;
// A drag that rests this long counts as paused.
constexpr int DRAG_PAUSE_MS = 120;

} // namespace

CZephyraView::CZephyraView(CZephyraDoc& document, QWidget* parent)
    : QOpenGLWidget(parent), document_(document), cpuRaster_(std::make_unique<CpuPointRaster>()),
      density_(new DensityViewWorker(this))
{
    connect(density_, &DensityViewWorker::pictureReady, this, qOverload<>(&CZephyraView::update));
    dragPause_.setSingleShot(true);
    dragPause_.setInterval(DRAG_PAUSE_MS);
    connect(&dragPause_, &QTimer::timeout, this, [this] {
        dragPaused_ = dragging_;
        update();
    });
    QSurfaceFormat surface = format();
    surface.setDepthBufferSize(24);
    setFormat(surface);
    setMinimumSize(1, 1);
}

CZephyraView::~CZephyraView()
{
    // The base class destroys the context after this destructor; its aboutToBeDestroyed must not
    // reach ReleaseGl on what is left of this object then.
    if (QOpenGLContext* glContext = context())
        disconnect(glContext, &QOpenGLContext::aboutToBeDestroyed, this, &CZephyraView::ReleaseGl);
    ReleaseGl();
}

void CZephyraView::OnUpdate(int hint)
{
    // A record taken out of a list changes nothing on screen; the smoothed picture stays.
    if (hint & (UH_SAVED_REMOVED | UH_FAVORITE_REMOVED))
        return;
    Repaint();
}

void CZephyraView::Repaint()
{
    showSmoothed_ = false;
    update();
}

bool CZephyraView::OnCommand(int id)
{
    switch (id) {
    case cmd::ID_ANTIALIAS:
        Antialias();
        return true;
    case cmd::ID_COPY_PICTURE:
        CopyPicture();
        return true;
    case cmd::ID_FILE_PRINT:
        Print();
        return true;
    case cmd::ID_FILE_PRINT_DIRECT:
        PrintTo(Printer());
        return true;
    case cmd::ID_FILE_PRINT_PREVIEW:
        PrintPreview();
        return true;
    case cmd::ID_FILE_PRINT_SETUP:
        PrintSetup();
        return true;
    default:
        return false;
    }
}

int CZephyraView::Uploads() const
{
    return renderer_ ? renderer_->Uploads() : 0;
}

bool CZephyraView::PointsOnCpu() const
{
    return document_.pointsOnCpu == 1 || (document_.pointsOnCpu == 0 && softwareGl_);
}

bool IsSoftwareRenderer(const QString& renderer)
{
    return renderer.contains("llvmpipe", Qt::CaseInsensitive) ||
           renderer.contains("softpipe", Qt::CaseInsensitive);
}

QSize CZephyraView::DeviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio))};
}

SceneInput CZephyraView::Scene() const
{
    SceneInput scene;
    scene.attractor = document_.current().get();
    scene.buffer = &document_.buffer();
    scene.defaults = &document_.defaults;
    scene.flags = {document_.viewBox, document_.viewCross, document_.viewBlackWhite,
                   document_.viewDefaultColors};
    scene.dragging = dragging_ && !dragPaused_;
    scene.adaptive = document_.viewAdaptive;
    return scene;
}

void CZephyraView::initializeGL()
{
    // A widget's context can be replaced while it lives (re-parenting): free what belonged to the old one.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CZephyraView::ReleaseGl,
            Qt::UniqueConnection);
    renderer_ = std::make_unique<GlSceneRenderer>();
    accumulator_ = std::make_unique<GlAccumulator>();
    const auto* name = context()->functions()->glGetString(GL_RENDERER);
    softwareGl_ = name && IsSoftwareRenderer(QString::fromLatin1(reinterpret_cast<const char*>(name)));
}

void CZephyraView::ReleaseGl()
{
    if (!renderer_ && !accumulator_)
        return;
    makeCurrent();
    if (renderer_)
        renderer_->Release();
    if (accumulator_)
        accumulator_->Release();
    renderer_.reset();
    accumulator_.reset();
    doneCurrent();
}

void CZephyraView::resizeGL(int, int)
{
    showSmoothed_ = false;
}

void CZephyraView::paintGL()
{
    ++paintCount_;
    if (!renderer_)
        return;
    if (!PointsOnCpu() && showSmoothed_ && accumulator_->HasResult()) {
        // The smoothed picture of the latest antialiasing run, shown once; the next paint is ordinary.
        showSmoothed_ = false;
        accumulator_->Present();
        return;
    }
    const QSize size = DeviceSize();
    if (PaintDensity(size))
        return;
    if (PointsOnCpu())
        return PaintPointsOnCpu(size);
    // The current attractor is held for the whole drawing, whatever the document does meanwhile.
    const AttractorRef hold = document_.current();
    renderer_->Draw(Scene(), ViewportFor(size.width(), size.height()));
    lastDrawnPoints_ = renderer_->LastDrawnPoints();
}

void CZephyraView::Antialias()
{
    const QSize size = DeviceSize();
    if (!renderer_ || !isVisible() || size.isEmpty())
        return;
    if (PointsOnCpu()) {
        // Supersampling at the next paints, until the picture changes.
        const int s = SupersampleOf(document_.antialias);
        lastAntialiasPasses_ = s * s;
        showSmoothed_ = true;
        update();
        return;
    }
    const AttractorRef hold = document_.current();
    const ViewportSize viewport = ViewportFor(size.width(), size.height());
    const float zoom = hold ? hold->zoom : 0.0f;
    SceneInput scene = Scene();
    scene.dragging = false; // smoothing always draws every point
    makeCurrent();
    lastAntialiasPasses_ = accumulator_->Accumulate(
        size, JitterTable(document_.antialias), JitterWeight(document_.antialias),
        [&](const JitterSample& s) {
            renderer_->Draw(scene, viewport, zoom * s.x / static_cast<float>(viewport.width),
                            zoom * s.y / static_cast<float>(viewport.height));
        });
    lastDrawnPoints_ = renderer_->LastDrawnPoints();
    doneCurrent();
    showSmoothed_ = true;
    update();
}

bool CZephyraView::PaintDensity(const QSize& size)
{
    const AttractorRef hold = document_.current();
    // A drag shows the points, which follow the mouse at once; the picture refines after release.
    if (!document_.viewDensity || dragging_ || !hold || !hold->valid || !document_.buffer().ready ||
        size.isEmpty()) {
        density_->Stop();
        return false;
    }
    const SceneInput scene = Scene();
    density_->Show(DensitySceneOf(*hold, scene.flags, document_.defaults, DENSITY_EXACT_POINTS), size,
                   document_.viewShade);
    if (density_->Picture().isNull())
        return false;
    QImage picture = density_->Picture();
    picture.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture);
    PaintOverlays(painter, scene, size);
    lastDrawnPoints_ = 0;
    return true;
}

void CZephyraView::PaintPointsOnCpu(const QSize& size)
{
    const AttractorRef hold = document_.current();
    const SceneInput scene = Scene();
    QImage picture = cpuRaster_->Draw(scene, size, showSmoothed_ ? SupersampleOf(document_.antialias) : 1);
    lastDrawnPoints_ = cpuRaster_->LastDrawnPoints();
    picture.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture);
    PaintOverlays(painter, scene, size);
}

void CZephyraView::PaintOverlays(QPainter& painter, const SceneInput& scene, const QSize& size)
{
    painter.beginNativePainting();
    SceneInput over = scene;
    over.pointsHidden = true;
    renderer_->Draw(over, ViewportFor(size.width(), size.height()));
    painter.endNativePainting();
}

void CZephyraView::CopyPicture()
{
    // What the view shows, density or points, for pasting into other programs.
    QGuiApplication::clipboard()->setImage(grabFramebuffer());
    document_.Host().ShowStatus(PANE_MESSAGE, TEXT_PICTURE_COPIED);
}

} // namespace zephyra
