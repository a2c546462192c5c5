#include "PictureCommands.h"

#include "CMainFrame.h"
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "CommandIds.h"
#include "DensitySceneOf.h"
#include "ExportPictureDialog.h"
#include "PictureExportJob.h"
#include "PictureRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

constexpr const char* APP_TITLE = "Zephyra Explorer";
constexpr const char* NO_ATTRACTOR = "This picture holds no attractor.";
constexpr int PROGRESS_STEPS = 1000;
constexpr int SWATCH_SAMPLES = 64;

ViewFlags FlagsOf(const CZephyraDoc& doc)
{
    return {false, false, doc.viewBlackWhite, doc.viewDefaultColors};
}

// Colours of a few of the attractor's points, darkest first, for the swatch of its own colours.
std::vector<Rgb> OwnColors(const CZephyraDoc& doc)
{
    std::vector<Rgb> colors;
    const PointBuffer& buffer = doc.buffer;
    if (!doc.current || !buffer.ready || buffer.count <= FIRST_DRAWN_POINT)
        return colors;
    const SceneColors scene = ChooseColors(*doc.current, FlagsOf(doc), doc.defaults);
    const AffineMap map = ColorMapping(doc.current->display, scene.foreground, doc.viewBlackWhite);
    const int span = buffer.count - FIRST_DRAWN_POINT;
    for (int i = 0; i < SWATCH_SAMPLES; ++i) {
        const Vector4 c = map.Apply(buffer.points[FIRST_DRAWN_POINT + span / SWATCH_SAMPLES * i]);
        colors.push_back(
            {std::clamp(c[0], 0.0f, 1.0f), std::clamp(c[1], 0.0f, 1.0f), std::clamp(c[2], 0.0f, 1.0f)});
    }
    std::sort(colors.begin(), colors.end(),
              [](const Rgb& a, const Rgb& b) { return a[0] + a[1] + a[2] < b[0] + b[1] + b[2]; });
    return colors;
}

QString TimeLeft(qint64 elapsedMs, double fraction)
{
    if (fraction < 0.02)
        return "Exporting the picture...";
    const auto seconds = static_cast<qint64>(std::ceil(elapsedMs / 1000.0 * (1.0 - fraction) / fraction));
    return seconds < 60 ? QString("Exporting the picture: about %1 s left").arg(seconds)
                        : QString("Exporting the picture: about %1 min left").arg((seconds + 59) / 60);
}

} // namespace

PictureCommands::~PictureCommands()
{
    delete job_; // stops the worker; nothing is written
    delete progress_;
}

bool PictureCommands::OnCommand(int id)
{
    if (id != cmd::ID_EXPORT_PICTURE)
        return false;
    ExportPicture();
    return true;
}

bool PictureCommands::IsPicture(const QString& path)
{
    return IsPngFile(path.toStdString());
}

bool PictureCommands::OpenPicture(const QString& path)
{
    const std::optional<StoredPicture> picture = ReadPictureRecord(path.toStdString(), doc_.defaults);
    if (!picture || !picture->attractor) {
        QMessageBox::warning(frame_, APP_TITLE, NO_ATTRACTOR);
        return false;
    }
    // A refused code is reported by SetAttractor itself and leaves the current attractor.
    doc_.SetAttractor(picture->attractor, SA_NO_SEARCH | SA_ADD_HISTORY);
    return doc_.current == picture->attractor;
}

void PictureCommands::ExportPicture()
{
    if (job_) { // one export at a time: show the one under way
        if (progress_)
            progress_->raise();
        return;
    }
    if (!doc_.current || !doc_.current->valid || !frame_)
        return;
    const CZephyraView& view = frame_->ActiveView();
    const qreal ratio = view.devicePixelRatioF();
    const QSize viewSize(std::max(1, static_cast<int>(std::lround(view.width() * ratio))),
                         std::max(1, static_cast<int>(std::lround(view.height() * ratio))));
    ExportPictureDialog dialog(viewSize, OwnColors(doc_), doc_.current->code, frame_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    StartExport(dialog.FilePath(), dialog.Settings());
}

void PictureCommands::StartExport(const QString& path, const PictureSettings& chosen)
{
    PictureSettings settings = chosen;
    settings.blackWhite = doc_.viewBlackWhite;
    const Attractor& attractor = *doc_.current;
    job_ = new PictureExportJob(DensitySceneOf(attractor, FlagsOf(doc_), doc_.defaults), settings.options,
                                PictureTexts(attractor, settings), path, frame_);
    progress_ = new QProgressDialog("Exporting the picture...", "Cancel", 0, PROGRESS_STEPS, frame_);
    progress_->setWindowTitle("Export Picture");
    progress_->setWindowModality(Qt::NonModal); // the window keeps turning and searching meanwhile
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setValue(0);
    QObject::connect(progress_, &QProgressDialog::canceled, job_, &PictureExportJob::Cancel);
    QObject::connect(job_, &PictureExportJob::progressed, progress_, [this](double f) { ShowProgress(f); });
    QObject::connect(job_, &PictureExportJob::finished, frame_,
                     [this](bool written, const QString& error) { Finish(written, error); });
    clock_.start();
}

void PictureCommands::ShowProgress(double fraction)
{
    if (!progress_ || progress_->wasCanceled())
        return;
    progress_->setValue(static_cast<int>(fraction * PROGRESS_STEPS));
    progress_->setLabelText(TimeLeft(clock_.elapsed(), fraction));
}

void PictureCommands::Finish(bool written, const QString& error)
{
    const QString path = job_ ? job_->Path() : QString();
    job_->deleteLater();
    job_ = nullptr;
    if (progress_)
        progress_->deleteLater();
    progress_ = nullptr;
    if (written) {
        frame_->ShowStatus(0, "Picture written: " + QDir::toNativeSeparators(path).toStdString());
    } else if (!error.isEmpty()) {
        QMessageBox::warning(frame_, "Export Picture",
                             QString("The picture %1 was not written:\n%2").arg(path, error));
    }
}

} // namespace zephyra
