#include "CPanelEx.h"

#include "CZephyraDoc.h"
#include "CaseTree.h"
#include "PanelImages.h"
#include "PointGeneration.h"
#include "ThumbnailImage.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace zephyra {
namespace {

constexpr int LARGE_IMAGE_SIZE = 32;

// A tree item showing one record; holds a reference so the record outlives its list entry.
class RecordItem : public QTreeWidgetItem {
public:
    static constexpr int TYPE = QTreeWidgetItem::UserType + 1;

    explicit RecordItem(AttractorRef record) : QTreeWidgetItem(TYPE), record_(std::move(record))
    {
        setText(0, QString::fromLatin1(record_->code.data(), static_cast<qsizetype>(record_->code.size())));
        RenewThumbnail();
    }
    [[nodiscard]] Attractor* Record() const { return record_.get(); }
    void RenewThumbnail()
    {
        // Records read from files come without one.
        if (!record_->thumbnail.Drawn())
            UpdateThumbnail(*record_);
        setIcon(0, ThumbnailIcon(record_->thumbnail));
    }

private:
    AttractorRef record_;
};

bool IsRecordItem(const QTreeWidgetItem* item)
{
    return item && item->type() == RecordItem::TYPE;
}

} // namespace

CPanelEx::CPanelEx(const QString& caption, CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanel(caption, doc, std::move(sendCommand), parent)
{
}

Attractor* CPanelEx::RecordOf(const QTreeWidgetItem* item)
{
    return IsRecordItem(item) ? static_cast<const RecordItem*>(item)->Record() : nullptr;
}

QTreeWidgetItem* CPanelEx::CaseNode(char letter) const
{
    const int index = letter - FIRST_CASE_LETTER;
    return index >= 0 && index < CASE_COUNT ? caseNodes_[static_cast<std::size_t>(index)] : nullptr;
}

void CPanelEx::OnUpdate(int hint)
{
    if (hint & UH_REDRAW)
        RenewCurrentThumbnails();
    if (hint != UH_REDRAW)
        UpdateTree(hint);
}

void CPanelEx::AttachImageList()
{
    Tree()->setIconSize(QSize(LARGE_IMAGE_SIZE, LARGE_IMAGE_SIZE));
}

void CPanelEx::ActivateSelection()
{
    Attractor* record = RecordOf(Tree()->currentItem());
    if (!record)
        return;
    // A reference of our own: the update this sends may rebuild the tree and drop the item.
    doc_.SetAttractor(AttractorRef(record), SA_NO_SEARCH | SA_ADD_HISTORY);
}

void CPanelEx::BuildCaseTree()
{
    Tree()->clear();
    const QIcon folder = FolderIcon(LARGE_IMAGE_SIZE);
    BuildCaseSkeleton(*Tree(), folder, [this, &folder](QTreeWidgetItem& group, char letter) {
        auto* node = new QTreeWidgetItem(&group);
        node->setText(0, QStringLiteral("Case %1").arg(QChar(letter)));
        node->setIcon(0, folder);
        node->setExpanded(true);
        caseNodes_[static_cast<std::size_t>(letter - FIRST_CASE_LETTER)] = node;
    });
}

void CPanelEx::InsertRecord(const AttractorRef& record, bool underCaseNode, Place place)
{
    if (!record || record->code.empty())
        return;
    if (underCaseNode) {
        // A code that was accepted always starts with a case letter; anything else gets no item.
        QTreeWidgetItem* node = CaseNode(record->code[0]);
        if (node)
            node->addChild(new RecordItem(record));
        return;
    }
    auto* item = new RecordItem(record);
    if (place == Place::First)
        Tree()->insertTopLevelItem(0, item);
    else
        Tree()->addTopLevelItem(item);
}

void CPanelEx::RenewCurrentThumbnails()
{
    if (!doc_.current())
        return;
    for (QTreeWidgetItemIterator it(Tree()); *it; ++it) {
        if (IsRecordItem(*it) && RecordOf(*it) == doc_.current().get())
            static_cast<RecordItem*>(*it)->RenewThumbnail();
    }
}

} // namespace zephyra
