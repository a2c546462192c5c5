#pragma once
#include "CommandDispatcher.h"
#include "PictureExportJob.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

namespace zephyra {

class CMainFrame;
class CZephyraDoc;
struct PictureSettings;

// The window's pictures: Export Picture (its dialog, the export on a worker with progress and
// Cancel, the result in the status bar or a message box) and opening a picture the program wrote
// as its attractor. Owned by the framework layer, which routes these commands and files here.
class PictureCommands : public CommandTarget {
public:
    explicit PictureCommands(CZephyraDoc& doc) : doc_(doc) {}
    ~PictureCommands() override;
    void SetFrame(CMainFrame* frame) { frame_ = frame; }

    bool OnCommand(int id) override;

    // Shows the attractor a picture carries, with its camera and display, without search and at
    // the head of History; a PNG without one gets a message and changes nothing. The document's
    // path, title and Saved list stay as they are.
    bool OpenPicture(const QString& path);
    [[nodiscard]] static bool IsPicture(const QString& path);

    // The export under way, if any.
    [[nodiscard]] PictureExportJob* Export() const { return job_; }
    void ExportPicture();

private:
    void StartExport(const QString& path, const PictureSettings& settings);
    void ShowProgress(double fraction);
    void Finish(bool written, const QString& error);

    CZephyraDoc& doc_;
    CMainFrame* frame_ = nullptr;
    QPointer<PictureExportJob> job_;
    QPointer<QProgressDialog> progress_;
    QElapsedTimer clock_;
};

} // namespace zephyra
