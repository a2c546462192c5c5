#include "CMainFrame.h"

#include "Attractor.h"
#include "CPanel.h"
#include "CZephyraDoc.h"
#include "CodeBox.h"
#include "CommandIds.h"
#include "FrameLayouts.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>

namespace zephyra {

using namespace cmd;

namespace {

int PanelOfToggle(int id)
{
    switch (id) {
    case ID_PANEL_CASES:
        return PANEL_CASES;
    case ID_PANEL_SAVED:
        return PANEL_SAVED;
    case ID_PANEL_FAVORITES:
        return PANEL_FAVORITES;
    case ID_PANEL_HISTORY:
        return PANEL_HISTORY;
    case ID_PANEL_GALLERY:
        return PANEL_GALLERY;
    case ID_PANEL_MEASUREMENTS:
        return PANEL_MEASUREMENTS;
    case ID_PANEL_PARAMETER_MAP:
        return PANEL_PARAMETER_MAP;
    default:
        return 0;
    }
}

} // namespace

bool CMainFrame::OnCommand(int id)
{
    if (const int panel = PanelOfToggle(id)) {
        TogglePanel(panel);
        return true;
    }
    QLineEdit& edit = *codeBox_->lineEdit();
    switch (id) {
    case ID_GO:
    case ID_OK:
        Go();
        return true;
    case ID_VIEW_CONFIGURATION:
        configurationToolbar_->setVisible(configurationToolbar_->isHidden());
        return true;
    case ID_VIEW_TOOLBAR:
        mainToolbar_->setVisible(mainToolbar_->isHidden());
        return true;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        return true;
    // The edit commands act on the code box wherever the focus is.
    case ID_EDIT_COPY:
        edit.copy();
        return true;
    case ID_EDIT_CUT:
        edit.cut();
        return true;
    case ID_EDIT_PASTE:
        edit.paste();
        return true;
    case ID_EDIT_UNDO:
        edit.undo();
        return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        layouts_->FocusNextPane();
        return true;
    case ID_PANEL_CLOSE:
        ShowPanel(PANEL_NONE);
        return true;
    // Buttons the panels handle themselves; taking them here keeps them enabled.
    case ID_REMOVE_FAVORITE:
    case ID_REMOVE_SAVED:
        return true;
    default:
        return false;
    }
}

std::optional<bool> CMainFrame::CommandChecked(int id) const
{
    if (const int panel = PanelOfToggle(id))
        return layouts_->CurrentPanel() == panel;
    switch (id) {
    case ID_VIEW_CONFIGURATION:
        return !configurationToolbar_->isHidden();
    case ID_VIEW_TOOLBAR:
        return !mainToolbar_->isHidden();
    case ID_VIEW_STATUS_BAR:
        return !statusBar()->isHidden();
    default:
        return std::nullopt;
    }
}

void CMainFrame::TogglePanel(int panelCode)
{
    ShowPanel(layouts_->CurrentPanel() == panelCode ? PANEL_NONE : panelCode);
}

void CMainFrame::Go()
{
    const std::string text = codeBox_->currentText().toStdString();
    // Only a real case letter may become the document's case letter: a mistyped first character
    // would otherwise leave Next with a case that cannot be searched.
    const char letter = !text.empty() && DescribeCase(text.front()) ? text.front() : '\0';
    // An invalid text is refused by SetAttractor with its message; the code box keeps the text.
    AttractorRef attractor = Attractor::CreateFromCode(text, doc_.defaults());
    // The marked code of an attractor between the letters, not edited, still stands for it.
    if (codeBox_->BetweenMark()->isVisible() && doc_.current() && doc_.current()->code == text)
        attractor->SetExactCoefficients(doc_.current()->exactCoefficients);
    doc_.SetAttractor(attractor, SA_NO_SEARCH | SA_ADD_HISTORY, letter);
}

} // namespace zephyra
