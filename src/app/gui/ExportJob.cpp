#include "ExportJob.h"

#include <QMetaObject>

namespace zephyra {

ExportJob::ExportJob(QString path, Work work, QObject* parent) : QObject(parent), path_(std::move(path))
{
    worker_ = std::jthread([this, work = std::move(work)](std::stop_token stop) {
        const DensityResult result = work(
            stop, [this](double fraction) { Post([this, fraction] { emit progressed(fraction); }); },
            [this](const std::string& note) {
                Post([this, note = QString::fromStdString(note)] { emit noted(note); });
            });
        const bool written = result.outcome == DensityResult::Outcome::Finished;
        const QString error = result.outcome == DensityResult::Outcome::Failed
                                  ? QString::fromStdString(result.error)
                                  : QString();
        Post([this, written, error] { emit finished(written, error); });
    });
}

ExportJob::~ExportJob()
{
    worker_.request_stop();
}

void ExportJob::Post(std::function<void()> emitSignal)
{
    QMetaObject::invokeMethod(this, std::move(emitSignal), Qt::QueuedConnection);
}

} // namespace zephyra
