#include "CZephyraApp.h"

#include "Attractor.h"
#include "CMainFrame.h"
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "ConfigFile.h"
#include "ConfigPath.h"
#include "DocumentFramework.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include <cstdio>

namespace zephyra {

namespace {

// A new 4D attractor is coloured as a grey scale of its fourth coordinate unless the
// configuration file says otherwise, so this is set just before the file is read.
class StartupDefaultsStore : public ConfigurationStore {
public:
    explicit StartupDefaultsStore(std::filesystem::path path) : file_(std::move(path)) {}
    void Read(CZephyraDoc& doc) override {
        DisplaySettings& d4 = doc.defaults.defaults4D;
        d4.colorR = d4.colorG = d4.colorB = COORD_W;
        file_.Read(doc);
    }
    void Write(const CZephyraDoc& doc) override { file_.Write(doc); }

private:
    XmlConfigurationStore file_;
};

void FitToScreen(QWidget& window) {
    QSize size(1200, 800);
    if (const QScreen* screen = QApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    window.resize(size);
}

} // namespace

CZephyraApp::CZephyraApp() = default;

CZephyraApp::~CZephyraApp() {
    ExitInstance();
}

bool CZephyraApp::InitInstance(const CommandLine& line) {
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "zephyra-explorer: %s\n", qPrintable(line.error));
        exitCode_ = 2;
        return false;
    }
    std::optional<std::filesystem::path> configOption;
    if (!line.config.isEmpty())
        configOption = line.config.toStdString();
    store_ = std::make_unique<StartupDefaultsStore>(DefaultConfigPath(configOption));
    doc_ = std::make_unique<CZephyraDoc>(host_, store_.get());
    framework_ = std::make_unique<DocumentFramework>(*doc_);
    frame_ = std::make_unique<CMainFrame>(*doc_, *framework_);
    host_.Attach(*doc_, *frame_, *framework_);
    framework_->SetFrame(frame_.get());
    FitToScreen(*frame_);

    if (!line.print.isEmpty())
        return PrintDocument(line.print);
    // A picture's attractor is shown after the start-up attractor, at the head of History.
    const bool picture = PictureCommands::IsPicture(line.open);
    if (!line.open.isEmpty() && !picture && !framework_->OpenPath(line.open)) {
        exitCode_ = 1;
        return false;
    }

    frame_->show();
    QCoreApplication::processEvents();
    doc_->SetAttractor(Attractor::CreateFromCode(StartupCode, doc_->defaults), SA_NO_SEARCH | SA_ADD_HISTORY);
    if (picture)
        framework_->OpenPath(line.open);
    return true;
}

// Prints the first attractor of the document (the start-up attractor when it holds none) and
// ends the program, as a print switch of the shell would. Without a printer the page goes to a
// PDF file beside the document rather than nowhere.
bool CZephyraApp::PrintDocument(const QString& path) {
    exitCode_ = 1;
    if (!framework_->OpenPath(path))
        return false;
    AttractorRef first = doc_->saved.GetAt(0);
    doc_->SetAttractor(first ? first->Clone(doc_->defaults)
                             : Attractor::CreateFromCode(StartupCode, doc_->defaults),
                       SA_NO_SEARCH);
    if (!doc_->current)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QFileInfo file(path);
        const QString pdf = file.absolutePath() + "/" + file.completeBaseName() + ".pdf";
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        std::printf("No printer found: printed to %s\n", qPrintable(pdf));
    }
    frame_->ActiveView().PrintTo(printer);
    exitCode_ = 0;
    return false;
}

int CZephyraApp::ExitInstance() {
    host_.Detach();
    frame_.reset();
    framework_.reset();
    doc_.reset();
    store_.reset();
    return exitCode_;
}

} // namespace zephyra
