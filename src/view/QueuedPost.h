#pragma once
#include <QMetaObject>
#include <QObject>

#include <functional>

namespace zephyra {

// The `post` of a LatestJob (LatestJob.h) in Qt code: runs each closure on `context`'s thread
// through its event loop; closures still queued when `context` is destroyed are dropped.
[[nodiscard]] inline std::function<void(std::function<void()>)> QueuedPost(QObject* context)
{
    return [context](std::function<void()> closure) {
        QMetaObject::invokeMethod(context, std::move(closure), Qt::QueuedConnection);
    };
}

} // namespace zephyra
