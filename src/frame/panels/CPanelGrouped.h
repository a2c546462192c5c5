#pragma once
#include "AttractorList.h"
#include "CPanelEx.h"

namespace zephyra {

// What tells the Favorites and the Saved panel apart: the list shown, its two hints, the Remove
// command, and whether removing changes the document's content.
struct GroupedListRole {
    AttractorList CZephyraDoc::*list;
    int addedHint;    // one entry appended at the tail
    int reloadedHint; // the list replaced as a whole
    int removeCommand;
    bool removalModifiesDocument;
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
    // Takes the selected record out of the list (the first entry that is that very record) and its
    // item out of the tree; nothing without a selected record.
    void Remove();

    const GroupedListRole& role_;
};

} // namespace zephyra
