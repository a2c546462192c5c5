#include "PanelTestHost.h"

#include "PointGeneration.h"

#include <QAction>
#include <QTest>
#include <QToolBar>

namespace zephyra::testing {

AttractorRef PanelFixture::Record(const char* code) const
{
    AttractorRef record = Attractor::CreateFromCode(code, doc.defaults());
    UpdateThumbnail(*record);
    return record;
}

QTreeWidgetItem* FindItem(const QTreeWidget& tree, const std::vector<QString>& path)
{
    QTreeWidgetItem* item = nullptr;
    for (const QString& text : path) {
        QTreeWidgetItem* found = nullptr;
        const int count = item ? item->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem* child = item ? item->child(i) : tree.topLevelItem(i);
            if (child->text(0) == text)
                found = child;
        }
        if (!found)
            return nullptr;
        item = found;
    }
    return item;
}

QStringList ChildTexts(const QTreeWidget& tree, const QTreeWidgetItem* item)
{
    QStringList texts;
    const int count = item ? item->childCount() : tree.topLevelItemCount();
    for (int i = 0; i < count; ++i)
        texts << (item ? item->child(i) : tree.topLevelItem(i))->text(0);
    return texts;
}

void ClickButton(CPanel& panel, int id)
{
    for (QAction* action : panel.Buttons()->actions()) {
        if (!action->isSeparator() && action->data().toInt() == id) {
            QTest::mouseClick(panel.Buttons()->widgetForAction(action), Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no button for command %1").arg(id)));
}

void DoubleClick(QTreeWidget& tree, QTreeWidgetItem* item)
{
    tree.scrollToItem(item);
    const QPoint centre = tree.visualItemRect(item).center();
    // The first click of the pair, then the second, which the system reports as a double click.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, centre);
}

} // namespace zephyra::testing
