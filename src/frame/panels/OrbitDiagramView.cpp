#include "OrbitDiagramView.h"

#include "BackgroundPriority.h"
#include "PictureImage.h"
#include "QueuedPost.h"

#include <QPainter>

#include <algorithm>
#include <thread>

namespace zephyra {

OrbitDiagramView::OrbitDiagramView(QWidget* parent)
    : QWidget(parent), job_(QueuedPost(this), [this](Diagram diagram) { Accept(std::move(diagram)); })
{
    setMinimumSize(64, 64);
}

OrbitDiagramView::~OrbitDiagramView() = default;

void OrbitDiagramView::Show(const ParameterSystem& system, const ParameterAxis& x)
{
    if (asked_ && system == system_ && x.place == axis_.place && x.low == axis_.low && x.high == axis_.high)
        return;
    system_ = system;
    axis_ = x;
    asked_ = true;
    finished_ = false;
    job_.Stop();
    StartWhenShown();
}

void OrbitDiagramView::SetMark(const std::optional<double>& mark)
{
    mark_ = mark;
    Redraw();
}

void OrbitDiagramView::Clear()
{
    job_.Stop();
    asked_ = false;
    finished_ = false;
    counts_.clear();
    Redraw();
}

void OrbitDiagramView::StartWhenShown()
{
    if (!asked_ || !isVisible() || job_.Running() ||
        (finished_ && drawn_.width == width() && drawn_.height == height()))
        return;
    finished_ = false;
    DiagramSettings settings;
    settings.x = axis_;
    settings.width = std::max(1, width());
    settings.height = std::max(1, height());
    const ParameterSystem system = system_;
    const int threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
    job_.Start([system, settings, threads](std::stop_token stop,
                                           const LatestJob<Diagram>::Deliver& deliver) mutable {
        LowerThreadPriority();
        FitDiagramRange(system, settings);
        Diagram diagram{settings, {}};
        if (ComputeDiagramColumns(system, settings, 0, settings.width, diagram.counts, stop, {}, threads))
            deliver(std::move(diagram));
    });
}

void OrbitDiagramView::Accept(Diagram diagram)
{
    job_.Stop(); // the run has ended: nothing more comes from it
    drawn_ = diagram.settings;
    counts_ = std::move(diagram.counts);
    finished_ = true;
    Redraw();
    emit DiagramShown();
}

void OrbitDiagramView::Redraw()
{
    picture_ = counts_.empty() ? QImage() : ToQImage(DiagramPicture(counts_, drawn_, mark_));
    update();
}

void OrbitDiagramView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.isNull())
        painter.drawImage(QRectF(rect()), picture_);
}

void OrbitDiagramView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    job_.Stop();
    StartWhenShown();
}

void OrbitDiagramView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    StartWhenShown();
}

void OrbitDiagramView::hideEvent(QHideEvent* event)
{
    job_.Stop();
    QWidget::hideEvent(event);
}

} // namespace zephyra
