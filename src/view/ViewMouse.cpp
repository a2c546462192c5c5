// The mouse handlers of the attractor view: they ask the document to move the current camera.
#include "CZephyraView.h"

#include "CZephyraDoc.h"
#include "CameraMouse.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace zephyra {

void CZephyraView::mousePressEvent(QMouseEvent* event)
{
    // The middle button turns through w, so only 4D cases take it.
    const bool turns4D =
        event->button() == Qt::MiddleButton && document_.current() && document_.current()->dimension == 4;
    if (!dragging_ && (event->button() == Qt::LeftButton || turns4D)) {
        // Qt grabs the mouse for the widget while a button is held.
        dragging_ = true;
        dragButton_ = event->button();
        lastMouse_ = event->position().toPoint();
    }
    QOpenGLWidget::mousePressEvent(event);
}

void CZephyraView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool endsDrag = dragging_ && event->button() == dragButton_;
    if (endsDrag || (!dragging_ && event->button() == Qt::LeftButton)) {
        dragging_ = false;
        dragPaused_ = false;
        dragPause_.stop();
        // Always: the picture after a drag has all points again.
        Repaint();
    } else if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint());
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void CZephyraView::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && document_.current()) {
        const QPoint p = event->position().toPoint();
        const bool control = event->modifiers().testFlag(Qt::ControlModifier);
        const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
        const int dx = p.x() - lastMouse_.x(), dy = p.y() - lastMouse_.y();
        lastMouse_ = p;
        dragPaused_ = false;
        if (PointsOnCpu())
            dragPause_.start();
        // The document's hint repaints every view.
        if (dragButton_ == Qt::MiddleButton)
            document_.MoveCamera([&](Attractor& camera) { TurnCamera4D(camera, dx, dy, control); });
        else
            document_.MoveCamera([&](Attractor& camera) { DragCamera(camera, dx, dy, control, shift); });
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void CZephyraView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    document_.MoveCamera([delta](Attractor& camera) { WheelZoom(camera, delta); });
    event->accept();
}

} // namespace zephyra
