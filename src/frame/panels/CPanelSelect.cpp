#include "CPanelSelect.h"

#include "AttractorCase.h"
#include "CZephyraDoc.h"
#include "CaseTree.h"
#include "CommandIds.h"
#include "PanelImages.h"
#include "StatusTexts.h"

#include <QTreeWidget>

namespace zephyra {
namespace {

constexpr int LETTER_ROLE = Qt::UserRole;

// The tree names case '\\' "Case \ (D:4) M:18" on purpose, as it has always been shown.
QString CaseTreeText(char letter)
{
    return letter == '\\' ? QStringLiteral("Case \\ (D:4) M:18") : QString::fromStdString(CaseText(letter));
}

constexpr int SMALL_IMAGE_SIZE = 16;

} // namespace

CPanelSelect::CPanelSelect(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanel(QStringLiteral("Attractors"), doc, std::move(sendCommand), parent)
{
    Build();
    BuildCaseSkeleton(*Tree(), FolderIcon(SMALL_IMAGE_SIZE), [this](QTreeWidgetItem& group, char letter) {
        auto* item = new QTreeWidgetItem(&group);
        item->setText(0, CaseTreeText(letter));
        item->setIcon(0, CaseIcon(letter, SMALL_IMAGE_SIZE));
        item->setData(0, LETTER_ROLE, static_cast<int>(letter));
        if (letter == FIRST_CASE_LETTER)
            Tree()->setCurrentItem(item);
    });
}

char CPanelSelect::LetterOf(const QTreeWidgetItem* item)
{
    return item ? static_cast<char>(item->data(0, LETTER_ROLE).toInt() & 0xFF) : '\0';
}

void CPanelSelect::SetupButtons()
{
    AddButton(cmd::ID_PREVIOUS, QStringLiteral("Prev"), IMAGE_PREVIOUS);
    AddButton(cmd::ID_NEXT, QStringLiteral("Next"), IMAGE_NEXT);
}

void CPanelSelect::ActivateSelection()
{
    const char letter = LetterOf(Tree()->currentItem());
    if (letter == '\0')
        return;
    doc_.SetAttractor(doc_.NewRandomAttractor(letter), SA_RANDOMIZE | SA_ADD_HISTORY, letter);
}

} // namespace zephyra
