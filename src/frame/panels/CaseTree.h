#pragma once
#include <QIcon>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace zephyra {

// The fixed grouping of the 26 cases shared by the case panel and the record panels: maps by
// dimension, the ODE systems by dimension, then the special maps. Inserts every group node (the
// folder image, expanded, no data) and calls addCase for each case letter in tree order with the
// group that holds it.
void BuildCaseSkeleton(QTreeWidget& tree, const QIcon& folder,
                       const std::function<void(QTreeWidgetItem& group, char letter)>& addCase);

} // namespace zephyra
