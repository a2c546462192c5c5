#include "CPanelHistory.h"

#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "PanelImages.h"

#include <QTreeWidget>

namespace zephyra {

CPanelHistory::CPanelHistory(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanelEx(QStringLiteral("History"), doc, std::move(sendCommand), parent)
{
    Build();
}

void CPanelHistory::SetupButtons()
{
    AddButton(cmd::ID_CLEAR_HISTORY, QStringLiteral("Clear"), IMAGE_CLEAR);
    AddSeparator();
    AddButton(cmd::ID_PREVIOUS, QStringLiteral("Prev"), IMAGE_PREVIOUS);
    AddButton(cmd::ID_NEXT, QStringLiteral("Next"), IMAGE_NEXT);
}

void CPanelHistory::UpdateTree(int hint)
{
    if (hint & UH_HISTORY_ADDED) {
        InsertRecord(doc_.history().GetAt(0), false, Place::First);
        Select(Tree()->topLevelItem(0));
    } else if (hint & UH_HISTORY_MOVED) {
        SelectHistoryPosition();
    } else if (hint == UH_ALL || (hint & UH_HISTORY_RELOADED)) {
        Tree()->clear();
        for (const AttractorRef& record : doc_.history())
            InsertRecord(record, false, Place::Last);
        SelectHistoryPosition();
    }
}

void CPanelHistory::SelectHistoryPosition()
{
    // Records without a code have no item, so the item of an entry is found by counting the
    // entries before it that have one; an entry without an item leaves nothing selected.
    const AttractorRef entry = doc_.history().GetAt(doc_.historyPosition());
    if (!entry || entry->code.empty()) {
        Select(nullptr);
        return;
    }
    int row = 0;
    for (int i = 0; i < doc_.historyPosition(); ++i) {
        const AttractorRef before = doc_.history().GetAt(i);
        row += before && !before->code.empty() ? 1 : 0;
    }
    Select(Tree()->topLevelItem(row));
}

void CPanelHistory::Select(QTreeWidgetItem* item)
{
    Tree()->setCurrentItem(item);
    if (item)
        Tree()->scrollToItem(item);
    else
        Tree()->clearSelection();
}

} // namespace zephyra
