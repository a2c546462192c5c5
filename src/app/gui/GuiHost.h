#pragma once
#include "DocumentHost.h"
#include "EscapeWatch.h"

namespace zephyra {

class CMainFrame;

// The window program's side of DocumentHost: the status services and the document's hints go to
// the main window, message boxes are Qt's, the busy cursor and the escape poll hold the event
// filter. The document is made before the window, so what it says before that is dropped.
class GuiHost : public DocumentHost {
public:
    void Attach(CMainFrame& frame) { frame_ = &frame; }
    void Detach() { frame_ = nullptr; }
    // Messages go to stderr instead of boxes: for a run that ends by itself, with nobody to click.
    void SendMessagesToStderr() { toStderr_ = true; }

    void ShowStatus(int pane, const std::string& text) override;
    void ShowCode(const Attractor& attractor) override;
    void BeginBusy() override;
    void EndBusy() override;
    [[nodiscard]] bool EscapePressed() override { return escape_.Poll(); }
    void OnDocumentChanged(int hint) override;
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;

private:
    CMainFrame* frame_ = nullptr;
    EscapeWatch escape_;
    int busyDepth_ = 0;
    bool toStderr_ = false;
};

} // namespace zephyra
