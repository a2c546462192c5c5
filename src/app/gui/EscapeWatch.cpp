#include "EscapeWatch.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace zephyra {

namespace {

constexpr qint64 pumpIntervalMs = 30;
constexpr unsigned CLOCK_CHECK_MASK = 63;

bool IsUserInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

void EscapeWatch::Begin()
{
    if (active_)
        return;
    active_ = true;
    escape_ = false;
    calls_ = 0;
    sincePump_.start();
    QCoreApplication::instance()->installEventFilter(this);
}

void EscapeWatch::End()
{
    if (!active_)
        return;
    active_ = false;
    QCoreApplication::instance()->removeEventFilter(this);
}

bool EscapeWatch::Poll()
{
    if (active_ && (++calls_ & CLOCK_CHECK_MASK) == 0 && sincePump_.elapsed() >= pumpIntervalMs) {
        QCoreApplication::processEvents();
        sincePump_.restart();
    }
    const bool pressed = escape_;
    escape_ = false;
    return pressed;
}

QWidget* EscapeWatch::TakeCloseRequest()
{
    QWidget* window = closing_;
    closing_ = nullptr;
    return window;
}

bool EscapeWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close) {
        auto* window = qobject_cast<QWidget*>(watched);
        // Only a main window's closing waits for the run; a menu or a tip closes as usual.
        if (!window || window->windowType() != Qt::Window)
            return QObject::eventFilter(watched, event);
        closing_ = window;
        escape_ = true;
        event->ignore();
        return true;
    }
    if (!IsUserInput(*event))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        escape_ = true;
    return true;
}

} // namespace zephyra
