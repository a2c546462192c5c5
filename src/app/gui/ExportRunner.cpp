#include "ExportRunner.h"

#include "CMainFrame.h"

#include <QDir>
#include <QMessageBox>
#include <QProgressDialog>

#include <cmath>

namespace zephyra {

namespace {

constexpr int PROGRESS_STEPS = 1000;

QString TimeLeft(const QString& doing, qint64 elapsedMs, double fraction)
{
    if (fraction < 0.02)
        return doing + "...";
    const auto seconds = static_cast<qint64>(std::ceil(elapsedMs / 1000.0 * (1.0 - fraction) / fraction));
    return seconds < 60 ? QString("%1: about %2 s left").arg(doing).arg(seconds)
                        : QString("%1: about %2 min left").arg(doing).arg((seconds + 59) / 60);
}

// The first note in full; the others only counted, so that the line stays short.
QString NotesText(const QStringList& notes)
{
    if (notes.isEmpty())
        return {};
    if (notes.size() == 1)
        return " (" + notes.front() + ")";
    return QString(" (%1, and %2 more frames)").arg(notes.front()).arg(notes.size() - 1);
}

} // namespace

ExportRunner::~ExportRunner()
{
    delete job_;
    delete progress_;
}

bool ExportRunner::ShowRunning()
{
    if (!job_)
        return false;
    if (progress_)
        progress_->raise();
    return true;
}

void ExportRunner::Start(const QString& path, ExportJob::Work work)
{
    notes_.clear();
    job_ = new ExportJob(path, std::move(work), frame_);
    const QString doing = QString("Exporting the %1").arg(wording_.thing);
    progress_ = new QProgressDialog(doing + "...", "Cancel", 0, PROGRESS_STEPS, frame_);
    progress_->setWindowTitle(wording_.title);
    progress_->setWindowModality(Qt::NonModal); // the window keeps turning and searching meanwhile
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setValue(0);
    QObject::connect(progress_, &QProgressDialog::canceled, job_, &ExportJob::Cancel);
    QObject::connect(job_, &ExportJob::progressed, progress_, [this, doing](double fraction) {
        if (!progress_->wasCanceled()) {
            progress_->setValue(static_cast<int>(fraction * PROGRESS_STEPS));
            progress_->setLabelText(TimeLeft(doing, clock_.elapsed(), fraction));
        }
    });
    QObject::connect(job_, &ExportJob::noted, frame_, [this](const QString& note) { notes_.append(note); });
    QObject::connect(job_, &ExportJob::finished, frame_,
                     [this](bool written, const QString& error) { Finish(written, error); });
    clock_.start();
}

void ExportRunner::Finish(bool written, const QString& error)
{
    const QString path = QDir::toNativeSeparators(job_->Path());
    job_->deleteLater();
    job_ = nullptr;
    if (progress_)
        progress_->deleteLater();
    progress_ = nullptr;
    const QString thing = wording_.thing;
    QString capitalised = thing;
    capitalised[0] = capitalised[0].toUpper();
    if (written) {
        frame_->ShowStatus(0, (capitalised + " written: " + path + NotesText(notes_)).toStdString());
        return;
    }
    // Pane 0 no longer tells of an earlier export.
    frame_->ShowStatus(
        0,
        (capitalised + " not written" + (error.isEmpty() ? QString(": canceled") : QString())).toStdString());
    if (!error.isEmpty())
        QMessageBox::warning(frame_, wording_.title,
                             QString("The %1 %2 was not written:\n%3").arg(thing, path, error));
}

} // namespace zephyra
