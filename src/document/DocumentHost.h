#pragma once
#include "StatusServices.h"

#include <string>

namespace zephyra {

enum class MessageIcon { Information, Warning, Error };

// Modal message boxes with an OK button and no owner window.
class MessageServices {
public:
    virtual ~MessageServices() = default;
    virtual void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

// Whoever shows the document (the main window): learns what changed, one UH_* hint at a time.
// Only the document sends hints (CZephyraDoc::UpdateAllViews).
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void OnDocumentChanged(int hint) = 0;
};

// Everything the document needs from the window program, the command line or a test: the frame
// services and the run services that the engine uses too, and message boxes.
class DocumentHost : public StatusServices, public RunServices, public MessageServices {};

} // namespace zephyra
