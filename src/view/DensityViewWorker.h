#pragma once
#include "DensityRenderer.h"
#include "LatestJob.h"

#include <QImage>
#include <QObject>
#include <QSize>

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

    // Starts making the picture of `scene` at `size` (device pixels), with a depth shade when
    // `shade`, unless that is the one already shown or being refined.
    void Show(const DensityScene& scene, QSize size, bool shade);
    // Stops refining and forgets the picture (a drag shows the points; the flag went off).
    void Stop();

    // The latest picture of the scene last asked; null until its first one arrives.
    [[nodiscard]] const QImage& Picture() const { return picture_; }
    // Pictures of the scene last asked so far, and whether more are coming.
    [[nodiscard]] int Refinements() const { return refinements_; }
    [[nodiscard]] bool Refining() const { return shown_ && !settled_; }

signals:
    void pictureReady();

private:
    struct Refinement {
        QImage picture;
        bool last = false; // the picture stopped changing, or the last pass
    };
    static void Refine(std::stop_token stop, const DensityScene& scene, QSize size, bool shade,
                       const LatestJob<Refinement>::Deliver& deliver);
    void Accept(Refinement refinement);

    DensityScene scene_;
    QSize size_;
    bool shade_ = false;
    QImage picture_;
    int refinements_ = 0;
    bool shown_ = false; // scene_ at size_ is the one asked, until Stop
    bool settled_ = false;
    LatestJob<Refinement> job_; // last: its threads end before the fields they deliver to
};

} // namespace zephyra
