#include "GuiHost.h"

#include "CMainFrame.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace zephyra {

void GuiHost::ShowStatus(int pane, const std::string& text)
{
    if (frame_)
        frame_->ShowStatus(pane, text);
}

void GuiHost::ShowCode(const Attractor& attractor)
{
    if (frame_)
        frame_->ShowCode(attractor);
}

void GuiHost::BeginBusy()
{
    if (busyDepth_++ > 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    escape_.Begin();
}

void GuiHost::EndBusy()
{
    if (busyDepth_ == 0 || --busyDepth_ > 0)
        return;
    escape_.End();
    QApplication::restoreOverrideCursor();
    // A window closed during the run closes now, with the usual question, once the run has unwound.
    if (QPointer<QWidget> window = escape_.TakeCloseRequest())
        QTimer::singleShot(0, window, [window] { window->close(); });
}

void GuiHost::OnDocumentChanged(int hint)
{
    if (frame_)
        frame_->OnDocumentChanged(hint);
}

void GuiHost::MessageBox(const std::string& text, const std::string& title, MessageIcon icon)
{
    if (toStderr_) {
        std::fprintf(stderr, "zephyra-explorer: %s: %s\n", title.c_str(), text.c_str());
        return;
    }
    const QMessageBox::Icon qtIcon = icon == MessageIcon::Error     ? QMessageBox::Critical
                                     : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                    : QMessageBox::Information;
    QMessageBox box(qtIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    frame_);
    // A box shown in the middle of a run must take clicks and show the arrow.
    const bool inRun = escape_.Active();
    if (inRun) {
        escape_.End();
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    box.exec();
    if (inRun) {
        QApplication::restoreOverrideCursor();
        escape_.Begin();
    }
}

} // namespace zephyra
