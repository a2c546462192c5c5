#include "CPanelGrouped.h"

#include "CZephyraDoc.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <vector>

namespace zephyra {

CPanelGrouped::CPanelGrouped(const QString& caption, const GroupedListRole& role, CZephyraDoc& doc,
                             CommandSink sendCommand, QWidget* parent)
    : CPanelEx(caption, doc, std::move(sendCommand), parent), role_(role)
{
}

void CPanelGrouped::UpdateTree(int hint)
{
    const AttractorList& list = (doc_.*role_.list)();
    if (hint & role_.removedHint) {
        DropRemovedItems();
    } else if (hint & role_.addedHint) {
        InsertRecord(list.GetAt(list.Count() - 1), true, Place::Last);
    } else if (hint == UH_ALL || (hint & role_.reloadedHint)) {
        BuildCaseTree();
        for (const AttractorRef& record : list)
            InsertRecord(record, true, Place::Last);
    }
}

void CPanelGrouped::OnTreeKeyDown(int key)
{
    if (key == Qt::Key_Delete)
        Remove();
}

bool CPanelGrouped::HandleCommand(int id)
{
    if (id != role_.removeCommand)
        return false;
    Remove();
    return true;
}

void CPanelGrouped::Remove()
{
    if (const Attractor* record = RecordOf(Tree()->currentItem()))
        (doc_.*role_.remove)(record);
}

void CPanelGrouped::DropRemovedItems()
{
    const AttractorList& list = (doc_.*role_.list)();
    std::vector<QTreeWidgetItem*> removed;
    for (QTreeWidgetItemIterator it(Tree()); *it; ++it) {
        const Attractor* record = RecordOf(*it);
        if (record && std::none_of(list.begin(), list.end(),
                                   [record](const AttractorRef& entry) { return entry.get() == record; }))
            removed.push_back(*it);
    }
    for (QTreeWidgetItem* item : removed)
        delete item;
}

} // namespace zephyra
