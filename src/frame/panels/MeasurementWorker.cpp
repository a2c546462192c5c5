#include "MeasurementWorker.h"

#include "BackgroundPriority.h"
#include "QueuedPost.h"

namespace zephyra {

MeasurementWorker::MeasurementWorker(QObject* parent)
    : QObject(parent), job_(QueuedPost(this), [this](News news) { Receive(std::move(news)); })
{
}

MeasurementWorker::~MeasurementWorker() = default;

void MeasurementWorker::Start(const OrbitSystem& system, const SpectrumSettings& settings)
{
    job_.Start([system, settings](std::stop_token stop, const LatestJob<News>::Deliver& deliver) {
        LowerThreadPriority();
        auto result =
            std::make_shared<const FullMeasurement>(MeasureFully(system, settings, [&](double fraction) {
                if (stop.stop_requested())
                    return false;
                deliver(fraction);
                return true;
            }));
        if (!stop.stop_requested())
            deliver(std::move(result));
    });
}

void MeasurementWorker::Stop()
{
    job_.Stop();
}

void MeasurementWorker::Receive(News news)
{
    if (const double* fraction = std::get_if<double>(&news)) {
        emit Progressed(*fraction);
        return;
    }
    job_.Stop(); // the run has ended: nothing more comes from it
    emit Finished(std::get<std::shared_ptr<const FullMeasurement>>(std::move(news)));
}

} // namespace zephyra
