#include "PictureExportJob.h"

#include <QMetaObject>

namespace zephyra {

PictureExportJob::PictureExportJob(DensityScene scene, DensityOptions options, std::vector<PngText> texts,
                                   QString path, QObject* parent)
    : QObject(parent), path_(std::move(path))
{
    worker_ = std::jthread([this, scene = std::move(scene), options, texts = std::move(texts)](
                               std::stop_token stop) { Run(stop, scene, options, texts); });
}

PictureExportJob::~PictureExportJob()
{
    worker_.request_stop();
}

void PictureExportJob::Run(std::stop_token stop, DensityScene scene, DensityOptions options,
                           std::vector<PngText> texts)
{
    const auto report = [this](bool written, const QString& error) {
        QMetaObject::invokeMethod(
            this, [this, written, error] { emit finished(written, error); }, Qt::QueuedConnection);
    };
    PngEncoder encoder(options.width, options.height, options.depth, texts);
    const DensityResult result = RenderDensity(
        scene, options, stop,
        [this](double fraction) {
            QMetaObject::invokeMethod(
                this, [this, fraction] { emit progressed(fraction); }, Qt::QueuedConnection);
        },
        [&](const Picture& strip, int) { encoder.AddRows(strip); });
    if (result.outcome == DensityResult::Outcome::Failed)
        return report(false, QString::fromStdString(result.error));
    if (result.outcome == DensityResult::Outcome::Cancelled || stop.stop_requested())
        return report(false, {});
    const std::string bytes = encoder.Finish();
    if (bytes.empty())
        return report(false, "The picture could not be encoded.");
    if (stop.stop_requested())
        return report(false, {});
    const std::string error = WritePngFile(path_.toStdString(), bytes);
    report(error.empty(), QString::fromStdString(error));
}

} // namespace zephyra
