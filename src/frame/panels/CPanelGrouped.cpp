#include "CPanelGrouped.h"

#include "CZephyraDoc.h"

#include <QTreeWidget>

namespace zephyra {

CPanelGrouped::CPanelGrouped(const QString& caption, const GroupedListRole& role, CZephyraDoc& doc,
                             CommandSink sendCommand, QWidget* parent)
    : CPanelEx(caption, doc, std::move(sendCommand), parent), role_(role)
{
}

void CPanelGrouped::UpdateTree(int hint)
{
    const AttractorList& list = doc_.*role_.list;
    if (hint & role_.addedHint) {
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
    QTreeWidgetItem* item = Tree()->currentItem();
    Attractor* record = RecordOf(item);
    if (!record)
        return;
    AttractorList& list = doc_.*role_.list;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.GetAt(i).get() == record) {
            list.RemoveAt(i);
            break;
        }
    }
    if (role_.removalModifiesDocument)
        doc_.modified = true;
    delete item;
}

} // namespace zephyra
