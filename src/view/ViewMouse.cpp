// The mouse handlers of the attractor view: they move the camera of the current attractor.
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
        event->button() == Qt::MiddleButton && document_.current && document_.current->dimension == 4;
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
    if (dragging_ && document_.current) {
        const QPoint p = event->position().toPoint();
        const Qt::KeyboardModifiers keys = event->modifiers();
        const int dx = p.x() - lastMouse_.x(), dy = p.y() - lastMouse_.y();
        if (dragButton_ == Qt::MiddleButton)
            TurnCamera4D(*document_.current, dx, dy, keys.testFlag(Qt::ControlModifier));
        else
            DragCamera(*document_.current, dx, dy, keys.testFlag(Qt::ControlModifier),
                       keys.testFlag(Qt::ShiftModifier));
        lastMouse_ = p;
        dragPaused_ = false;
        if (PointsOnCpu())
            dragPause_.start();
        Repaint();
        if (dragButton_ == Qt::MiddleButton)
            emit turned4D();
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void CZephyraView::wheelEvent(QWheelEvent* event)
{
    if (document_.current) {
        WheelZoom(*document_.current, event->angleDelta().y());
        Repaint();
    }
    event->accept();
}

} // namespace zephyra
