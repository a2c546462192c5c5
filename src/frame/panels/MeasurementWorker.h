#pragma once
#include "FullMeasurement.h"
#include "LatestJob.h"

#include <QObject>

#include <memory>
#include <variant>

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
    [[nodiscard]] bool Running() const { return job_.Running(); }
    // Every thread, stopped ones too, has ended.
    [[nodiscard]] bool Idle() const { return job_.Idle(); }

signals:
    void Progressed(double fraction);
    void Finished(std::shared_ptr<const zephyra::FullMeasurement> result);

private:
    // A progress fraction on the way, or the result.
    using News = std::variant<double, std::shared_ptr<const FullMeasurement>>;
    void Receive(News news);

    LatestJob<News> job_;
};

} // namespace zephyra
