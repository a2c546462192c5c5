#pragma once
#include "ExportJob.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>

class QProgressDialog;

namespace zephyra {

class CMainFrame;

// What one kind of export calls itself: the title of its windows and its thing, in lower case.
struct ExportWording {
    const char* title; // "Export Picture"
    const char* thing; // "picture"
};

// Runs the exports of one kind, one at a time, each on a worker with a progress window (progress,
// time left, Cancel) that leaves the main window free. The end shows in status pane 0 ("Picture
// written: <file>", with the work's notes; "Picture not written", and ": canceled" when it was)
// and, for a failure, in a message box naming the file and the reason.
class ExportRunner {
public:
    explicit ExportRunner(ExportWording wording) : wording_(wording) {}
    ~ExportRunner(); // stops the worker; nothing is written
    ExportRunner(const ExportRunner&) = delete;
    ExportRunner& operator=(const ExportRunner&) = delete;
    void SetFrame(CMainFrame* frame) { frame_ = frame; }

    // The export under way, if any.
    [[nodiscard]] ExportJob* Job() const { return job_; }
    // True while an export runs: its progress window comes to the front.
    bool ShowRunning();
    void Start(const QString& path, ExportJob::Work work);

private:
    void Finish(bool written, const QString& error);

    ExportWording wording_;
    CMainFrame* frame_ = nullptr;
    QPointer<ExportJob> job_;
    QPointer<QProgressDialog> progress_;
    QElapsedTimer clock_;
    QStringList notes_;
};

} // namespace zephyra
