#include "CZephyraApp.h"

#include "AtomicFile.h"
#include "Attractor.h"
#include "CMainFrame.h"
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "ConfigFile.h"
#include "ConfigPath.h"
#include "DocumentFramework.h"
#include "FileNames.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace zephyra {

namespace {

// Besides the point buffer, the OpenGL view keeps its vertex buffer and the driver copies of it:
// with Mesa's llvmpipe a 20-million-point set took 2.7 to 3 times its size, a 100-million-point set
// 3.5 times, so a count that only the buffer would fit ends in the out-of-memory killer.
constexpr int VIEW_POINT_COPIES = 3;

// Before its first show no window manager has said how large its decorations are: room is kept for
// a title bar and borders as large as common ones draw them.
constexpr QMargins ASSUMED_DECORATIONS(8, 40, 8, 8);

// The first window has 1200 x 800 pixels where the screen's free area holds that and the
// decorations, otherwise what the area leaves, and is centred in that area, so its status bar is
// on the screen also under a panel of the desktop.
void FitToScreen(QWidget& window)
{
    QSize size(1200, 800);
    const QScreen* screen = QApplication::primaryScreen();
    if (!screen) {
        window.resize(size);
        return;
    }
    const QRect available = screen->availableGeometry();
    size = size.boundedTo(available.size().shrunkBy(ASSUMED_DECORATIONS));
    QRect decorated(QPoint(), size.grownBy(ASSUMED_DECORATIONS));
    decorated.moveCenter(available.center());
    window.resize(size);
    // A window's position is that of its decorations.
    window.move(decorated.topLeft());
}

} // namespace

CZephyraApp::CZephyraApp() = default;

CZephyraApp::~CZephyraApp()
{
    ExitInstance();
}

bool CZephyraApp::InitInstance(const CommandLine& line)
{
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "zephyra-explorer: %s\n", qPrintable(line.error));
        exitCode_ = 2;
        return false;
    }
    std::optional<std::filesystem::path> configOption;
    if (!line.config.isEmpty())
        configOption = FileNamePath(line.config);
    // Written at the end: a device or a FIFO would be replaced by a file.
    if (const std::string problem = configOption ? OutputFileProblem(*configOption) : ""; !problem.empty()) {
        std::fprintf(stderr, "zephyra-explorer: --config %s\n", problem.c_str());
        exitCode_ = 2;
        return false;
    }
    store_ = std::make_unique<XmlConfigurationStore>(DefaultConfigLocation(configOption));
    doc_ = std::make_unique<CZephyraDoc>(host_, store_.get());
    doc_->SetViewCopies(VIEW_POINT_COPIES);
    framework_ = std::make_unique<DocumentFramework>(*doc_);
    frame_ = std::make_unique<CMainFrame>(*doc_, *framework_);
    host_.Attach(*frame_);
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
    doc_->SetAttractor(Attractor::CreateFromCode(StartupCode, doc_->defaults()),
                       SA_NO_SEARCH | SA_ADD_HISTORY);
    if (picture)
        framework_->OpenPath(line.open);
    return true;
}

// Prints the first attractor of the document (the start-up attractor when it holds none) and
// ends the program, as a print switch of the shell would. Without a printer the page goes to a
// PDF file beside the document rather than nowhere.
bool CZephyraApp::PrintDocument(const QString& path)
{
    exitCode_ = 1;
    if (const std::string problem = ReadableFileProblem(FileNamePath(path)); !problem.empty()) {
        std::fprintf(stderr, "zephyra-explorer: cannot print %s\n", problem.c_str());
        return false;
    }
    host_.SendMessagesToStderr();
    if (!framework_->OpenPath(path))
        return false;
    AttractorRef first = doc_->saved().GetAt(0);
    doc_->SetAttractor(first ? first->Clone(doc_->defaults())
                             : Attractor::CreateFromCode(StartupCode, doc_->defaults()),
                       SA_NO_SEARCH);
    if (!doc_->current())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    // Qt names a file in UTF-8 and would turn the other bytes of the document's name into U+FFFD:
    // the page is written under a plain name first and then moved to the document's, byte for byte.
    std::filesystem::path pdf, staged;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        pdf = std::filesystem::absolute(FileNamePath(path)).replace_extension(".pdf");
        staged = std::filesystem::temp_directory_path() /
                 ("zephyra-print-" + std::to_string(QCoreApplication::applicationPid()) + ".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(staged.string()));
    }
    // The page takes the view's proportions, as from the window; a window never shown has not laid
    // out its view (a sliver of a page), so it is laid out off the screen first.
    frame_->setAttribute(Qt::WA_DontShowOnScreen);
    frame_->show();
    QCoreApplication::processEvents();
    frame_->ActiveView().PrintTo(printer);
    frame_->hide();
    if (!pdf.empty()) {
        std::error_code error;
        std::filesystem::rename(staged, pdf, error);
        if (error) { // another file system
            error.clear();
            std::filesystem::copy_file(staged, pdf, std::filesystem::copy_options::overwrite_existing, error);
            std::filesystem::remove(staged);
        }
        if (error) {
            std::fprintf(stderr, "zephyra-explorer: cannot write %s: %s\n", pdf.c_str(),
                         error.message().c_str());
            return false;
        }
        std::printf("No printer found: printed to %s\n", pdf.c_str());
    }
    exitCode_ = 0;
    return false;
}

int CZephyraApp::ExitInstance()
{
    host_.Detach();
    frame_.reset();
    framework_.reset();
    doc_.reset();
    store_.reset();
    return exitCode_;
}

} // namespace zephyra
