#pragma once
#include "CommandDispatcher.h"
#include "DocumentHost.h"

#include <QMainWindow>

#include <memory>

class QToolBar;

namespace zephyra {

class CodeBox;
class CZephyraDoc;
class CZephyraView;
class FrameLayouts;
class StatusPanes;

// What the frame needs of the program around it: the application's commands (last on the
// route), the question before closing, dropped files and the recent-file list of the File menu.
class FrameOwner : public CommandTarget {
public:
    // False keeps the window open (the user cancelled the "Save changes" question).
    [[nodiscard]] virtual bool QueryClose() = 0;
    virtual void OpenDroppedFile(const QString& path) = 0;
    [[nodiscard]] virtual QStringList RecentFiles() const = 0;
};

// The main window: menu bar, main toolbar, the "Configuration" row with the code box, the five
// layouts of the client area and the status bar of five panes. It implements the status services,
// hears the document's hints while it lives and routes every command id: active view, document, frame, then
// the owner.
class CMainFrame : public QMainWindow, public StatusServices, public DocumentObserver, private CommandTarget {
    Q_OBJECT
public:
    CMainFrame(CZephyraDoc& doc, FrameOwner& owner);
    ~CMainFrame() override;

    void ShowStatus(int pane, const std::string& text) override;
    void ShowCode(const Attractor& attractor) override;
    // Switches the client area to the layout of a PANEL_* code.
    void ShowPanel(int panelCode);

    // The document's hint to every view and panel; the command checks follow.
    void OnDocumentChanged(int hint) override;
    // Routes one command id as a menu item would.
    bool SendCommand(int id) { return dispatcher_->Dispatch(id); }
    [[nodiscard]] std::optional<bool> CommandState(int id) const { return dispatcher_->Checked(id); }

    [[nodiscard]] int CurrentPanel() const;
    [[nodiscard]] CodeBox& Codes() const { return *codeBox_; }
    [[nodiscard]] StatusPanes& Panes() const { return *panes_; }
    [[nodiscard]] FrameLayouts& Layouts() const { return *layouts_; }
    [[nodiscard]] CZephyraView& ActiveView() const;
    [[nodiscard]] QToolBar& MainToolbar() const { return *mainToolbar_; }
    [[nodiscard]] QToolBar& ConfigurationToolbar() const { return *configurationToolbar_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    // The frame's own commands and update handlers (FrameCommands.cpp).
    bool OnCommand(int id) override;
    std::optional<bool> CommandChecked(int id) const override;
    void Go();
    void TogglePanel(int panelCode);

    // Bars, menus and accelerators built from the command tables (FrameBars.cpp).
    void CreateMenus();
    void CreateToolbars();
    void CreateAccelerators();
    void FillRecentFiles(QMenu& fileMenu);
    void ShowContextMenu(const QPoint& globalPos);
    // The 4D turn of the current attractor in pane 0 while it is not zero.
    void ShowTurn4D();

    CZephyraDoc& doc_;
    FrameOwner& owner_;
    CommandDispatcher* dispatcher_;
    std::unique_ptr<CommandTarget> viewTarget_;
    std::unique_ptr<CommandTarget> documentTarget_;
    FrameLayouts* layouts_ = nullptr;
    CodeBox* codeBox_ = nullptr;
    std::unique_ptr<StatusPanes> panes_;
    QToolBar* mainToolbar_ = nullptr;
    QToolBar* configurationToolbar_ = nullptr;
    QAction* recentFilesPlace_ = nullptr;
    std::vector<QAction*> recentFileActions_;
};

} // namespace zephyra
