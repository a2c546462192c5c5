#include "CPanelSelect.h"

#include "AttractorCase.h"
#include "CZephyraDoc.h"
#include "CaseTree.h"
#include "CommandIds.h"
#include "PanelImages.h"

#include <QTreeWidget>

#include <array>

namespace zephyra {
namespace {

constexpr int LETTER_ROLE = Qt::UserRole;

// The item texts, by case letter from 'E'; the special cases show no order.
constexpr std::array<const char*, CASE_COUNT> CASE_TEXTS{
    "Case E (D:2 O:2 M:12)", "Case F (D:2 O:3 M:20)",  "Case G (D:2 O:4 M:30)",  "Case H (D:2 O:5 M:42)",
    "Case I (D:3 O:2 M:30)", "Case J (D:3 O:3 M:60)",  "Case K (D:3 O:4 M:105)", "Case L (D:3 O:5 M:168)",
    "Case M (D:4 O:2 M:60)", "Case N (D:4 O:3 M:140)", "Case O (D:4 O:4 M:280)", "Case P (D:4 O:5 M:504)",
    "Case Q (D:3 O:2 M:30)", "Case R (D:3 O:3 M:60)",  "Case S (D:3 O:4 M:105)", "Case T (D:3 O:5 M:168)",
    "Case U (D:4 O:2 M:60)", "Case V (D:4 O:3 M:140)", "Case W (D:4 O:4 M:280)", "Case X (D:4 O:5 M:504)",
    "Case Y (D:4 M:10)",     "Case Z (D:4 M:14)",      "Case [ (D:4 M:14)",      "Case \\ (D:4) M:18",
    "Case ] (D:4 M:6)",      "Case ^ (D:4 M:9)",
};

constexpr int SMALL_IMAGE_SIZE = 16;

} // namespace

CPanelSelect::CPanelSelect(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanel(QStringLiteral("Attractors"), doc, std::move(sendCommand), parent)
{
    Build();
    BuildCaseSkeleton(*Tree(), FolderIcon(SMALL_IMAGE_SIZE), [this](QTreeWidgetItem& group, char letter) {
        auto* item = new QTreeWidgetItem(&group);
        item->setText(0,
                      QString::fromLatin1(CASE_TEXTS[static_cast<std::size_t>(letter - FIRST_CASE_LETTER)]));
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
    doc_.SetAttractor(Attractor::CreateRandom(letter, doc_.defaults, doc_.random),
                      SA_RANDOMIZE + SA_ADD_HISTORY, letter);
}

} // namespace zephyra
