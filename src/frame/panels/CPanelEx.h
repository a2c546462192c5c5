#pragma once
#include "Attractor.h"
#include "AttractorCase.h"
#include "CPanel.h"

#include <array>

namespace zephyra {

// A panel that lists attractor records: each record is an item showing its code with its 32 x 32
// thumbnail as icon, grouped under one node per case or flat; a double click or Enter on a record
// makes it the current attractor. Each record item keeps its record alive while it exists, so an
// item can never point at a record its list has already let go.
class CPanelEx : public CPanel {
    Q_OBJECT
public:
    enum class Place { First, Last };

    // Update hints: UH_REDRAW only renews the thumbnails of the items showing the current record
    // (its thumbnail may have been redrawn); every other hint goes to UpdateTree.
    void OnUpdate(int hint) final;

    // The record behind an item; null for a group or case node and for no item.
    [[nodiscard]] static Attractor* RecordOf(const QTreeWidgetItem* item);
    // The node under which records of a case are listed; null before BuildCaseTree.
    [[nodiscard]] QTreeWidgetItem* CaseNode(char letter) const;

protected:
    CPanelEx(const QString& caption, CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);

    // The tree's reaction to one update hint (never UH_REDRAW alone).
    virtual void UpdateTree(int hint) = 0;

    void AttachImageList() override;
    void ActivateSelection() override;

    // Deletes every item and inserts the group and case nodes.
    void BuildCaseTree();
    // One item for a record: under its case node (last) or at the top level (first or last).
    // A record without a code gets no item.
    void InsertRecord(const AttractorRef& record, bool underCaseNode, Place place);

private:
    void RenewCurrentThumbnails();

    std::array<QTreeWidgetItem*, CASE_COUNT> caseNodes_{};
};

} // namespace zephyra
