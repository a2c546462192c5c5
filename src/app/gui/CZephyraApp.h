#pragma once
#include "CommandLine.h"
#include "GuiHost.h"

#include <memory>

namespace zephyra {

class CMainFrame;
class ConfigurationStore;
class CZephyraDoc;
class DocumentFramework;

// The application object: makes the document, the framework layer and the main window in their
// order, handles the command line, shows the start-up attractor, and takes it all down again.
class CZephyraApp {
public:
    static constexpr const char* StartupCode = "EWM?MPMMWMMMM";

    CZephyraApp();
    ~CZephyraApp();
    CZephyraApp(const CZephyraApp&) = delete;
    CZephyraApp& operator=(const CZephyraApp&) = delete;

    // Start-up; false ends the program at once (bad arguments, a document that cannot be opened,
    // or a --print run that is over).
    [[nodiscard]] bool InitInstance(const CommandLine& line);
    // Shutdown: the window, then the document (which writes the configuration). Returns the exit code.
    int ExitInstance();

    [[nodiscard]] CMainFrame* Frame() const { return frame_.get(); }
    [[nodiscard]] CZephyraDoc* Document() const { return doc_.get(); }
    [[nodiscard]] DocumentFramework* Framework() const { return framework_.get(); }

private:
    bool PrintDocument(const QString& path);

    GuiHost host_;
    std::unique_ptr<ConfigurationStore> store_;
    std::unique_ptr<CZephyraDoc> doc_;
    std::unique_ptr<DocumentFramework> framework_;
    std::unique_ptr<CMainFrame> frame_;
    int exitCode_ = 0;
};

} // namespace zephyra
