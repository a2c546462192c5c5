#pragma once
#include "DensityRenderer.h"
#include "PngFile.h"

#include <QObject>
#include <QString>

#include <thread>
#include <vector>

namespace zephyra {

// One export of a density picture to a PNG file on a worker thread. It works from copies of the
// scene, options and record texts, never from the document; progress and the end arrive as
// signals on the thread that made it. Cancel (or destruction) stops it within a second and no file
// is written: the picture is encoded in memory and reaches the disk only whole, atomically.
class PictureExportJob : public QObject {
    Q_OBJECT
public:
    PictureExportJob(DensityScene scene, DensityOptions options, std::vector<PngText> texts, QString path,
                     QObject* parent = nullptr);
    ~PictureExportJob() override;

    void Cancel() { worker_.request_stop(); }
    [[nodiscard]] const QString& Path() const { return path_; }

signals:
    void progressed(double fraction);
    // Written, or cancelled (empty error), or failed with the reason.
    void finished(bool written, const QString& error);

private:
    void Run(std::stop_token stop, DensityScene scene, DensityOptions options, std::vector<PngText> texts);

    QString path_;
    std::jthread worker_;
};

} // namespace zephyra
