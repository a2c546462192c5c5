#pragma once
#include "DensityRenderer.h"

#include <QImage>
#include <QObject>
#include <QSize>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace zephyra {

// The Density view's picture, made on a worker: a quick first picture, then finer ones while the
// program is idle, up to 200 million points or until the picture stops changing. Asking for
// another scene or size stops the running refinement without waiting for it; pictures reach the
// user-interface thread through queued calls and only those of the scene last asked are kept.
class DensityViewWorker : public QObject {
    Q_OBJECT
public:
    explicit DensityViewWorker(QObject* parent = nullptr);
    ~DensityViewWorker() override;

    // Starts making the picture of `scene` at `size` (device pixels) unless that is the one
    // already shown or being refined.
    void Show(const DensityScene& scene, QSize size);
    // Stops refining and forgets the picture (a drag shows the points; the flag went off).
    void Stop();

    // The latest picture of the scene last asked; null until its first one arrives.
    [[nodiscard]] const QImage& Picture() const { return picture_; }
    // Pictures of the scene last asked so far, and whether more are coming.
    [[nodiscard]] int Refinements() const { return refinements_; }
    [[nodiscard]] bool Refining() const { return running_ && !settled_; }

signals:
    void pictureReady();

private:
    struct Job {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void Run(std::stop_token stop, DensityScene scene, QSize size, quint64 generation);
    void Accept(quint64 generation, const QImage& picture, bool last);
    void Retire();

    Job job_;
    std::vector<Job> retiring_; // stopped jobs still finishing their current pass
    DensityScene scene_;
    QSize size_;
    QImage picture_;
    quint64 generation_ = 0;
    int refinements_ = 0;
    bool running_ = false;
    bool settled_ = false;
};

} // namespace zephyra
