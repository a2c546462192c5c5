#pragma once
#include "FrameServices.h"

#include <optional>
#include <string>

namespace zephyra {

enum class MessageIcon { Information, Warning, Error };

// Everything the document needs from the window program (or from the command line, or a test):
// the frame services, the run services, and the framework services of the document/view layer.
class DocumentHost : public FrameServices, public RunServices {
public:
    // Tells every view and panel what changed (one UH_* hint).
    virtual void UpdateAllViews(int hint) = 0;
    // A modal message box with an OK button and no owner window.
    virtual void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A file-open dialog for an existing file with the document filter; nothing when cancelled.
    [[nodiscard]] virtual std::optional<std::string> AskOpenFileName() = 0;
    // The framework's new and open commands (they ask to save a modified document first).
    virtual void NewDocumentCommand() = 0;
    virtual void OpenDocumentCommand() = 0;
    // The modal settings dialog.
    virtual void ShowSettingsDialog() = 0;
};

} // namespace zephyra
