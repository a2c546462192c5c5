#pragma once
#include "Picture.h"

#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>

#include <memory>

class QPainter;
class QPrinter;

namespace zephyra {

class CZephyraDoc;
class CpuPointRaster;
class DensityViewWorker;
class GlAccumulator;
class GlSceneRenderer;
struct SceneInput;

// The attractor view: draws the document's current attractor with OpenGL, moves its camera with
// the mouse, smooths the picture on request and prints it. It keeps no picture state of its own:
// everything is read from the document at paint time. GL objects belong to this widget's context.
class CZephyraView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit CZephyraView(CZephyraDoc& document, QWidget* parent = nullptr);
    ~CZephyraView() override;

    // A document update hint (UH_* or 0): every hint repaints the whole view.
    void OnUpdate(int hint);
    // The view's commands: 190 antialiasing, 57607 print, 57608 print without the dialog, 57609 print
    // preview, 57606 print setup. True when handled.
    bool OnCommand(int id);
    // Prints the current attractor on one page, fitted to the view's proportions.
    void PrintTo(QPrinter& printer);
    // Paints that page onto a printable area of `page` dots at that resolution, one point as
    // large as a screen pixel (1/96 inch).
    void PaintPage(QPainter& painter, const QSize& page, int dotsPerInch);

    [[nodiscard]] bool Dragging() const { return dragging_; }
    // Points drawn by the latest drawing, passes of the latest antialiasing run, paints so far.
    [[nodiscard]] int LastDrawnPoints() const { return lastDrawnPoints_; }
    [[nodiscard]] int LastAntialiasPasses() const { return lastAntialiasPasses_; }
    [[nodiscard]] int PaintCount() const { return paintCount_; }
    // Point sets uploaded to the GPU so far.
    [[nodiscard]] int Uploads() const;
    // Whether the points are drawn on the CPU: OpenGL renders in software, or the setting says so.
    [[nodiscard]] bool PointsOnCpu() const;
    // The worker behind the Density view.
    [[nodiscard]] const DensityViewWorker& Density() const { return *density_; }

signals:
    // The right button was released: the frame shows the context menu there.
    void contextMenuRequested(const QPoint& globalPos);
    // A middle drag changed the current attractor's 4D turn.
    void turned4D();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    [[nodiscard]] SceneInput Scene() const;
    [[nodiscard]] QSize DeviceSize() const;
    void Antialias();
    // Draws anew what the view shows, the points rather than a smoothed picture.
    void Repaint();
    // The density picture with box and cross over it; false while it has none yet.
    bool PaintDensity(const QSize& size);
    void PaintPointsOnCpu(const QSize& size);
    // Draws box and cross with GL over what the painter drew.
    void PaintOverlays(QPainter& painter, const SceneInput& scene, const QSize& size);
    void CopyPicture();
    void ReleaseGl();
    void Print();
    void PrintPreview();
    void PrintSetup();
    QPrinter& Printer();

    CZephyraDoc& document_;
    bool dragging_ = false;
    Qt::MouseButton dragButton_ = Qt::NoButton;
    QPoint lastMouse_;
    PixelRect printRect_;
    std::unique_ptr<GlSceneRenderer> renderer_;
    std::unique_ptr<GlAccumulator> accumulator_;
    std::unique_ptr<CpuPointRaster> cpuRaster_;
    bool softwareGl_ = false;
    // On the CPU path a drag that pauses this long draws every point at once.
    QTimer dragPause_;
    bool dragPaused_ = false;
    std::unique_ptr<QPrinter> printer_; // kept between print jobs, as printer set-up expects
    DensityViewWorker* density_;
    bool showSmoothed_ = false;
    int lastDrawnPoints_ = 0;
    int lastAntialiasPasses_ = 0;
    int paintCount_ = 0;
};

// Whether a GL_RENDERER string names a software rasteriser.
[[nodiscard]] bool IsSoftwareRenderer(const QString& renderer);

} // namespace zephyra
