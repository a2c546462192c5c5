#include "MeasurementWorker.h"

#include <QMetaObject>

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

namespace zephyra {

namespace {
// Below the user-interface thread and a run, which must never wait for the measurement.
constexpr int NICENESS = 10;
} // namespace

MeasurementWorker::MeasurementWorker(QObject* parent) : QObject(parent) {}

MeasurementWorker::~MeasurementWorker()
{
    Stop();
    stopped_.clear(); // each jthread joins as it goes
}

void MeasurementWorker::Start(const OrbitSystem& system, const SpectrumSettings& settings)
{
    Stop();
    const unsigned generation = ++generation_;
    auto done = std::make_shared<std::atomic<bool>>(false);
    running_ = true;
    current_.done = done;
    current_.thread = std::jthread([this, generation, system, settings, done](std::stop_token stop) {
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), NICENESS);
        auto result =
            std::make_shared<const FullMeasurement>(MeasureFully(system, settings, [&](double fraction) {
                if (stop.stop_requested())
                    return false;
                QMetaObject::invokeMethod(
                    this, [this, generation, fraction] { Report(generation, fraction); },
                    Qt::QueuedConnection);
                return true;
            }));
        if (!stop.stop_requested())
            QMetaObject::invokeMethod(
                this, [this, generation, result] { Deliver(generation, result); }, Qt::QueuedConnection);
        done->store(true);
    });
}

void MeasurementWorker::Stop()
{
    ++generation_;
    running_ = false;
    if (current_.thread.joinable()) {
        current_.thread.request_stop();
        stopped_.push_back(std::move(current_));
        current_ = {};
    }
    ForgetEnded();
}

void MeasurementWorker::ForgetEnded()
{
    std::erase_if(stopped_, [](const Thread& t) { return t.done->load(); });
}

void MeasurementWorker::Report(unsigned generation, double fraction)
{
    if (generation == generation_)
        emit Progressed(fraction);
}

void MeasurementWorker::Deliver(unsigned generation, std::shared_ptr<const FullMeasurement> result)
{
    if (generation != generation_)
        return;
    running_ = false;
    emit Finished(std::move(result));
}

} // namespace zephyra
