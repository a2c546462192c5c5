#pragma once
#include "FullMeasurement.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace zephyra {

// Measures one attractor at a time on a thread of its own, at a low priority, and hands progress
// and the result to the user-interface thread. Start and Stop never wait: a stopped thread ends at
// its next progress check (every 65536 steps) and what it would have said is dropped. Destruction
// waits for every thread.
class MeasurementWorker : public QObject {
    Q_OBJECT
public:
    explicit MeasurementWorker(QObject* parent = nullptr);
    ~MeasurementWorker() override;

    void Start(const OrbitSystem& system, const SpectrumSettings& settings);
    void Stop();
    [[nodiscard]] bool Running() const { return running_; }

signals:
    void Progressed(double fraction);
    void Finished(std::shared_ptr<const zephyra::FullMeasurement> result);

private:
    struct Thread {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void Deliver(unsigned generation, std::shared_ptr<const FullMeasurement> result);
    void Report(unsigned generation, double fraction);
    // Joins the stopped threads that have already ended, which takes no time.
    void ForgetEnded();

    unsigned generation_ = 0;
    bool running_ = false;
    Thread current_;
    std::vector<Thread> stopped_;
};

} // namespace zephyra
