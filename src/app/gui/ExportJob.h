#pragma once
#include "DensityRenderer.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <thread>

namespace zephyra {

// One export (a picture, an animation) on a worker thread. Its work holds copies of all it needs,
// never the document; progress, notes and the end arrive as signals on the thread that made the
// job. Cancel (or destruction) stops it within a second, and the work then writes no file.
class ExportJob : public QObject {
    Q_OBJECT
public:
    using Note = std::function<void(const std::string& note)>;
    using Work =
        std::function<DensityResult(std::stop_token stop, const DensityProgress& progress, const Note& note)>;

    ExportJob(QString path, Work work, QObject* parent = nullptr);
    ~ExportJob() override;

    void Cancel() { worker_.request_stop(); }
    [[nodiscard]] const QString& Path() const { return path_; }

signals:
    void progressed(double fraction);
    // A line about the work (a frame drawn as background), as it happens.
    void noted(const QString& note);
    // Written, or cancelled (empty error), or failed with the reason.
    void finished(bool written, const QString& error);

private:
    // Runs `emitSignal` on the job's thread, unless the job is gone by then.
    void Post(std::function<void()> emitSignal);

    QString path_;
    std::jthread worker_;
};

} // namespace zephyra
