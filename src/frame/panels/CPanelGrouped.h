#pragma once
#include "AttractorList.h"
#include "CPanelEx.h"

namespace zephyra {

// What tells the Favorites and the Saved panel apart: the list shown, its three hints, the Remove
// command and the document's operation that removes a record.
struct GroupedListRole {
    const AttractorList& (CZephyraDoc::*list)() const;
    int addedHint;    // one entry appended at the tail
    int reloadedHint; // the list replaced as a whole
    int removedHint;  // entries taken out
    int removeCommand;
    void (CZephyraDoc::*remove)(const Attractor* record);
};

// A record panel whose records hang under their case nodes, with Remove by button and Delete key.
class CPanelGrouped : public CPanelEx {
    Q_OBJECT
protected:
    CPanelGrouped(const QString& caption, const GroupedListRole& role, CZephyraDoc& doc,
                  CommandSink sendCommand, QWidget* parent);

    void UpdateTree(int hint) override;
    void OnTreeKeyDown(int key) override;
    bool HandleCommand(int id) override;

private:
    // Asks the document to take the selected record out of the list; nothing without one.
    void Remove();
    // Drops the items of records that are no longer in the list.
    void DropRemovedItems();

    const GroupedListRole& role_;
};

} // namespace zephyra
