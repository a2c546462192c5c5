#pragma once
#include "DocumentHost.h"
#include "EscapeWatch.h"

namespace zephyra {

class CMainFrame;
class CZephyraDoc;
class DocumentFramework;

// The window program's side of DocumentHost: the frame services go to the main window, message
// boxes and the file dialog are Qt's, the busy cursor and the escape poll hold the event filter.
// The document is made before the window, so texts written before it exists are dropped.
class GuiHost : public DocumentHost {
public:
    void Attach(CZephyraDoc& doc, CMainFrame& frame, DocumentFramework& framework);
    void Detach();

    void ShowStatus(int pane, const std::string& text) override;
    void ShowCode(const Attractor& attractor) override;
    void ShowPanel(int panelCode) override;
    void BeginBusy() override;
    void EndBusy() override;
    [[nodiscard]] bool EscapePressed() override { return escape_.Poll(); }
    void UpdateAllViews(int hint) override;
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    [[nodiscard]] std::optional<std::string> AskOpenFileName() override;
    void NewDocumentCommand() override;
    void OpenDocumentCommand() override;
    void ShowSettingsDialog() override;

private:
    CZephyraDoc* doc_ = nullptr;
    CMainFrame* frame_ = nullptr;
    DocumentFramework* framework_ = nullptr;
    EscapeWatch escape_;
    int busyDepth_ = 0;
};

} // namespace zephyra
