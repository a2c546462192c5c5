// The mouse handlers of the attractor view: they move the camera of the current attractor.
#include "CZephyraView.h"

#include "CZephyraDoc.h"
#include "CameraMouse.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace zephyra {

void CZephyraView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        // Qt grabs the mouse for the widget while a button is held.
        dragging_ = true;
        lastMouse_ = event->position().toPoint();
    }
    QOpenGLWidget::mousePressEvent(event);
}

void CZephyraView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        // Always: the picture after a drag has all points again.
        OnUpdate(0);
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
        DragCamera(*document_.current, p.x() - lastMouse_.x(), p.y() - lastMouse_.y(),
                   keys.testFlag(Qt::ControlModifier), keys.testFlag(Qt::ShiftModifier));
        lastMouse_ = p;
        OnUpdate(0);
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void CZephyraView::wheelEvent(QWheelEvent* event)
{
    if (document_.current) {
        WheelZoom(*document_.current, event->angleDelta().y());
        OnUpdate(0);
    }
    event->accept();
}

} // namespace zephyra
