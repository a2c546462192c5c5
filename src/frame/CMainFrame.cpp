#include "CMainFrame.h"

#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "CodeBox.h"
#include "DocumentCommands.h"
#include "FileNames.h"
#include "FrameIcons.h"
#include "FrameLayouts.h"
#include "StatusPanes.h"
#include "StatusTexts.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

namespace zephyra {

namespace {

constexpr int MAX_STATUS_LENGTH = 255;

// First on the route: the view of the layout shown (antialiasing, printing).
class ViewTarget : public CommandTarget {
public:
    explicit ViewTarget(FrameLayouts& layouts) : layouts_(layouts) {}
    bool OnCommand(int id) override { return layouts_.ActiveView().OnCommand(id); }

private:
    FrameLayouts& layouts_;
};

// Second: the document's commands and their update handlers.
class DocumentTarget : public CommandTarget {
public:
    explicit DocumentTarget(CZephyraDoc& doc) : doc_(doc) {}
    bool OnCommand(int id) override { return OnDocumentCommand(doc_, id); }
    std::optional<bool> CommandChecked(int id) const override { return DocumentCommandChecked(doc_, id); }

private:
    CZephyraDoc& doc_;
};

} // namespace

CMainFrame::CMainFrame(CZephyraDoc& doc, FrameOwner& owner)
    : doc_(doc), owner_(owner), dispatcher_(new CommandDispatcher(this))
{
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    layouts_ = new FrameLayouts(
        doc, [this](int id) { dispatcher_->Dispatch(id); }, this);
    setCentralWidget(layouts_);
    for (CZephyraView* view : layouts_->Views())
        connect(view, &CZephyraView::contextMenuRequested, this, &CMainFrame::ShowContextMenu);

    viewTarget_ = std::make_unique<ViewTarget>(*layouts_);
    documentTarget_ = std::make_unique<DocumentTarget>(doc);
    dispatcher_->SetRoute({viewTarget_.get(), documentTarget_.get(), this, &owner_});

    panes_ = std::make_unique<StatusPanes>(*statusBar());
    CreateMenus();
    CreateToolbars();
    CreateAccelerators();
    // The first update of every view and panel fills the lists the configuration brought, whether
    // a document is then made or opened.
    layouts_->UpdateAll(UH_ALL);
    dispatcher_->UpdateChecks();
    layouts_->ActiveView().setFocus();
    doc_.SetObserver(this);
}

CMainFrame::~CMainFrame()
{
    doc_.SetObserver(nullptr);
}

void CMainFrame::ShowStatus(int pane, const std::string& text)
{
    panes_->SetText(pane, QString::fromStdString(text).left(MAX_STATUS_LENGTH));
}

void CMainFrame::ShowCode(const Attractor& attractor)
{
    codeBox_->ShowCode(attractor);
}

void CMainFrame::ShowPanel(int panelCode)
{
    if (layouts_->ShowPanel(panelCode))
        dispatcher_->UpdateChecks();
}

void CMainFrame::OnDocumentChanged(int hint)
{
    layouts_->UpdateAll(hint);
    setWindowModified(doc_.IsModified());
    ShowTurn4D();
    if (hint & UH_SAVED_SHOWN)
        layouts_->ShowPanel(PANEL_SAVED);
    dispatcher_->UpdateChecks();
}

void CMainFrame::ShowTurn4D()
{
    panes_->SetIdleText(doc_.current() ? QString::fromStdString(Turn4DText(*doc_.current())) : QString());
}

int CMainFrame::CurrentPanel() const
{
    return layouts_->CurrentPanel();
}

CZephyraView& CMainFrame::ActiveView() const
{
    return layouts_->ActiveView();
}

bool CMainFrame::event(QEvent* event)
{
    // Prompts go to pane 0 rather than over the whole status bar.
    if (event->type() == QEvent::StatusTip) {
        panes_->ShowPrompt(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (owner_.QueryClose())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    // One document at a time: the first file dropped is opened.
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    activateWindow();
    // Opened after the drop has finished, so a message box does not hold the dragging program.
    QTimer::singleShot(0, this,
                       [this, path = FileNameFromUrl(urls.front())] { owner_.OpenDroppedFile(path); });
}

} // namespace zephyra
