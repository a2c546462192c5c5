#pragma once
#include "Attractor.h"
#include "CommandDispatcher.h"
#include "ExportRunner.h"

#include <QString>

namespace zephyra {

class CMainFrame;
class CZephyraDoc;
struct PictureSettings;

// The window's pictures: Export Picture and Export Animation (their dialogs, the exports on a
// worker with progress and Cancel, the result in the status bar or a message box) and opening a
// picture the program wrote as its attractor. Owned by the framework layer, which routes these commands and
// files here.
class PictureCommands : public CommandTarget {
public:
    explicit PictureCommands(CZephyraDoc& doc) : doc_(doc) {}
    void SetFrame(CMainFrame* frame);

    bool OnCommand(int id) override;

    // Shows the attractor a picture carries, with its camera and display, without search and at
    // the head of History; a PNG without one gets a message and changes nothing. The document's
    // path, title and Saved list stay as they are.
    bool OpenPicture(const QString& path);
    // Adds the attractor a picture carries at the end of Saved, as Join adds a document's.
    void JoinPicture(const QString& path);
    [[nodiscard]] static bool IsPicture(const QString& path);

    // The exports under way, if any.
    [[nodiscard]] ExportJob* Export() const { return pictureExport_.Job(); }
    [[nodiscard]] ExportJob* AnimationExport() const { return animationExport_.Job(); }
    void ExportPicture();
    void ExportAnimation();

private:
    // The attractor a picture carries; null, after a message, for a picture without one.
    AttractorRef CarriedAttractor(const QString& path);
    void StartExport(const QString& path, const PictureSettings& settings);

    CZephyraDoc& doc_;
    CMainFrame* frame_ = nullptr;
    ExportRunner pictureExport_{{"Export Picture", "picture"}};
    ExportRunner animationExport_{{"Export Animation", "animation"}};
};

} // namespace zephyra
