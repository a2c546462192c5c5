#include "CaseTree.h"

#include <QTreeWidget>

#include <array>

namespace zephyra {
namespace {

constexpr int TOP_LEVEL = -1;

struct CaseGroup {
    const char* text;
    int parent; // index of the enclosing group in the table, or TOP_LEVEL
    char firstLetter;
    char lastLetter; // 0 for a group that only holds groups
};

constexpr std::array<CaseGroup, 7> CASE_GROUPS{{
    {"2D Attractors", TOP_LEVEL, 'E', 'H'},
    {"3D Attractors", TOP_LEVEL, 'I', 'L'},
    {"4D Attractors", TOP_LEVEL, 'M', 'P'},
    {"ODE Attractors", TOP_LEVEL, 0, 0},
    {"3D Attractors", 3, 'Q', 'T'},
    {"4D Attractors", 3, 'U', 'X'},
    {"Special", TOP_LEVEL, 'Y', '^'},
}};

} // namespace

void BuildCaseSkeleton(QTreeWidget& tree, const QIcon& folder,
                       const std::function<void(QTreeWidgetItem& group, char letter)>& addCase)
{
    std::array<QTreeWidgetItem*, CASE_GROUPS.size()> groups{};
    for (std::size_t i = 0; i < CASE_GROUPS.size(); ++i) {
        const CaseGroup& g = CASE_GROUPS[i];
        auto* node = g.parent == TOP_LEVEL ? new QTreeWidgetItem(&tree)
                                           : new QTreeWidgetItem(groups[static_cast<std::size_t>(g.parent)]);
        node->setText(0, QString::fromLatin1(g.text));
        node->setIcon(0, folder);
        node->setExpanded(true);
        groups[i] = node;
        for (char letter = g.firstLetter; g.lastLetter != 0 && letter <= g.lastLetter; ++letter)
            addCase(*node, letter);
    }
}

} // namespace zephyra
