#include "DocumentFramework.h"

#include "AboutBox.h"
#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "DocumentFile.h"
#include "FileNames.h"
#include "HelpWindows.h"
#include "ProgramNames.h"
#include "SettingsDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace zephyra {

using namespace cmd;

namespace {

const char* const FILE_FILTER = "Zephyra Explorer Files (*.zpr);;All Files (*.*)";
const char* const OPEN_FILTER =
    "Zephyra Explorer Files (*.zpr);;Zephyra pictures (*.png *.webp);;All Files (*.*)";
const char* const EXTENSION = ".zpr";

} // namespace

void DocumentFramework::SetFrame(CMainFrame* frame)
{
    frame_ = frame;
    pictures_.SetFrame(frame);
    SetPath(path_);
}

QString DocumentFramework::Title() const
{
    return path_.isEmpty() ? QString("Untitled") : QFileInfo(path_).fileName();
}

void DocumentFramework::SetPath(const QString& path)
{
    path_ = path;
    if (!frame_)
        return;
    // Qt shows "*" in place of "[*]" while the window is marked modified.
    frame_->setWindowTitle(Title() + "[*] - " + PROGRAM_TITLE);
    frame_->setWindowModified(doc_.IsModified());
}

bool DocumentFramework::SaveModified()
{
    if (!doc_.IsModified())
        return true;
    const QString name = path_.isEmpty() ? Title() : path_;
    const auto answer = QMessageBox::warning(frame_, PROGRAM_TITLE, QString("Save changes to %1?").arg(name),
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::No || FileSave();
}

void DocumentFramework::FileNew()
{
    if (!SaveModified())
        return;
    doc_.OnNewDocument();
    SetPath(QString());
}

std::optional<std::string> DocumentFramework::AskOpenFileName()
{
    const QString path = QFileDialog::getOpenFileName(frame_, "Open", QFileInfo(path_).path(), OPEN_FILTER);
    if (path.isEmpty())
        return std::nullopt;
    return FileNamePath(path).string();
}

// Join offers documents (and all files); a picture chosen anyway gives its attractor.
void DocumentFramework::Join()
{
    const QString path = QFileDialog::getOpenFileName(frame_, "Join", QFileInfo(path_).path(), FILE_FILTER);
    if (path.isEmpty())
        return;
    if (PictureCommands::IsPicture(path))
        pictures_.JoinPicture(path);
    else
        OnSavedJoin(doc_, FileNamePath(path));
}

void DocumentFramework::FileOpen()
{
    if (const auto path = AskOpenFileName())
        OpenPath(FileNameFromBytes(*path));
}

bool DocumentFramework::OpenPath(const QString& path)
{
    // A picture shows its attractor and leaves the document alone: no save question.
    if (PictureCommands::IsPicture(path))
        return pictures_.OpenPicture(path);
    if (!SaveModified())
        return false;
    if (!OnOpenDocument(doc_, FileNamePath(path))) {
        recent_.Remove(path);
        return false;
    }
    SetPath(QFileInfo(path).absoluteFilePath());
    recent_.Add(path_);
    return true;
}

bool DocumentFramework::FileSave()
{
    return path_.isEmpty() ? FileSaveAs() : DoSave(path_);
}

bool DocumentFramework::FileSaveAs()
{
    const QString proposed = path_.isEmpty() ? Title() + EXTENSION : path_;
    QString path = QFileDialog::getSaveFileName(frame_, "Save As", proposed, FILE_FILTER);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += EXTENSION;
    return DoSave(path);
}

bool DocumentFramework::DoSave(const QString& path)
{
    if (!OnSaveDocument(doc_, FileNamePath(path)))
        return false;
    SetPath(QFileInfo(path).absoluteFilePath());
    recent_.Add(path_);
    return true;
}

bool DocumentFramework::OnCommand(int id)
{
    if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + RecentFileList::Size) {
        const QStringList files = recent_.Files();
        const int index = id - ID_FILE_MRU_FIRST;
        if (index < files.size())
            OpenPath(files[index]);
        return true;
    }
    if (pictures_.OnCommand(id))
        return true;
    switch (id) {
    case ID_FILE_NEW:
    case ID_CLEAR_SAVED:
        FileNew();
        return true;
    case ID_FILE_OPEN:
    case ID_OPEN_SAVED:
        FileOpen();
        return true;
    case ID_JOIN:
        Join();
        return true;
    case ID_SETTINGS:
        ShowSettingsDialog(doc_, frame_);
        return true;
    case ID_FILE_SAVE:
        FileSave();
        return true;
    case ID_FILE_SAVE_AS:
        FileSaveAs();
        return true;
    case ID_APP_EXIT:
        if (frame_)
            frame_->close();
        return true;
    case ID_APP_ABOUT:
        ShowAboutBox(frame_);
        return true;
    case ID_HELP_GUIDE:
        ShowHelpGuide(frame_);
        return true;
    case ID_HELP_SHORTCUTS:
        ShowKeyboardShortcuts(frame_);
        return true;
    default:
        return false;
    }
}

} // namespace zephyra
