#pragma once
#include "CMainFrame.h"
#include "PictureCommands.h"
#include "RecentFileList.h"

#include <optional>
#include <string>

namespace zephyra {

class CZephyraDoc;

// The document/view framework around the one document: New, Open, Save, Save As and the
// question "Save changes to %1?" while the document is modified, the window title, the recent
// files, dropped files, the Saved panel's file commands (Clear, Open, Join), Settings and the
// application's own commands (Exit, About). Last on the route.
class DocumentFramework : public FrameOwner {
public:
    explicit DocumentFramework(CZephyraDoc& doc) : doc_(doc), pictures_(doc) {}
    void SetFrame(CMainFrame* frame);

    void FileNew();
    void FileOpen();
    // Adds the records of a document, or the attractor a picture carries, at the end of Saved.
    void Join();
    bool FileSave();
    bool FileSaveAs();
    // Opens a document after the save question, or shows the attractor of a picture; false when
    // declined or the file was refused.
    bool OpenPath(const QString& path);
    [[nodiscard]] PictureCommands& Pictures() { return pictures_; }
    // The save question; false when the user cancelled (or the save failed).
    [[nodiscard]] bool SaveModified();
    [[nodiscard]] std::optional<std::string> AskOpenFileName();

    [[nodiscard]] const QString& PathName() const { return path_; }
    [[nodiscard]] QString Title() const; // file name, or "Untitled"

    bool OnCommand(int id) override;
    bool QueryClose() override { return SaveModified(); }
    void OpenDroppedFile(const QString& path) override { OpenPath(path); }
    [[nodiscard]] QStringList RecentFiles() const override { return recent_.Files(); }

private:
    bool DoSave(const QString& path);
    void SetPath(const QString& path);

    CZephyraDoc& doc_;
    CMainFrame* frame_ = nullptr;
    RecentFileList recent_;
    QString path_;
    PictureCommands pictures_;
};

} // namespace zephyra
