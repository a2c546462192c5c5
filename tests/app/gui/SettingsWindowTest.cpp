// The Settings dialog opened in the main window and used with the mouse and the keyboard.
#include "ExplorerHarness.h"

#include "CSettingsSheet.h"
#include "CZephyraView.h"
#include "CommandIds.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <functional>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

// Puts the focus into the edit with a click, selects its text and types over it.
void TypeInto(QWidget* page, const char* name, const QString& text)
{
    auto* edit = page->findChild<QLineEdit*>(name);
    QVERIFY(edit);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

void ClickTab(CSettingsSheet& sheet, int index)
{
    QTabBar* bar = sheet.Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    QCOMPARE(sheet.Tabs()->currentIndex(), index);
}

void ClickButton(CSettingsSheet& sheet, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(sheet.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

} // namespace

class SettingsWindowTest : public ExplorerTest {
    Q_OBJECT

    // Opens Settings as the menu item does and runs `use` on the sheet once it is on screen.
    void WithSettings(const std::function<void(CSettingsSheet&)>& use)
    {
        int sheets = 0;
        const ModalAnswerer answerer([&](QWidget* modal) {
            if (auto* sheet = qobject_cast<CSettingsSheet*>(modal)) {
                ++sheets;
                use(*sheet);
                // A check that failed inside `use` returned early: the dialog must not stay open.
                if (sheet->isVisible())
                    sheet->reject();
            }
        });
        explorer->Frame().SendCommand(cmd::ID_SETTINGS);
        QCOMPARE(sheets, 1);
    }

private slots:
    // Apply redraws the view while the dialog stays open: the document's hint reaches it.
    void applyAndOkGiveTheDocumentWhatWasTyped()
    {
        CZephyraDoc& doc = explorer->Doc();
        CZephyraView& view = explorer->Frame().ActiveView();
        const QImage before = view.grabFramebuffer();
        bool closed = false;
        WithSettings([&](CSettingsSheet& sheet) {
            QWidget* page = sheet.Tabs()->widget(0);
            TypeInto(page, "fov", "30");
            TypeInto(page, "historyLimit", "4");
            const int paints = view.PaintCount();
            ClickButton(sheet, QDialogButtonBox::Apply);
            QCOMPARE(doc.current()->fov, 30.0f);
            QTRY_VERIFY(view.PaintCount() > paints);
            QVERIFY(sheet.isVisible());

            TypeInto(page, "defaultPointsCount", "20000");
            ClickButton(sheet, QDialogButtonBox::Ok);
            closed = !sheet.isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(doc.historyLimit(), 4);
        QCOMPARE(doc.defaults().defaultPointsCount, 20000);
        // A narrower field of view shows the attractor larger.
        QVERIFY(view.grabFramebuffer() != before);
    }

    // Cancel drops what no transfer took; what a page change took stays, and is drawn at once.
    void cancelUndoesNoTransfer()
    {
        CZephyraDoc& doc = explorer->Doc();
        CZephyraView& view = explorer->Frame().ActiveView();
        const AttractorRef shown = doc.current();
        const float fov = shown->fov;
        const std::int32_t points = shown->pointsCount;
        const DisplaySettings display = shown->display;
        const DocumentSettings settings = doc.settings();
        const auto typeOnTheAttractorPage = [](CSettingsSheet& sheet) {
            QWidget* page = sheet.Tabs()->widget(0);
            TypeInto(page, "fov", "30");
            TypeInto(page, "x0", "0.5");
            TypeInto(page, "points", "20000");
            TypeInto(page, "defaultPointsCount", "1000");
        };
        WithSettings([&](CSettingsSheet& sheet) {
            typeOnTheAttractorPage(sheet);
            ClickButton(sheet, QDialogButtonBox::Cancel);
        });
        QCOMPARE(shown->fov, fov);
        QVERIFY(doc.settings() == settings);

        WithSettings([&](CSettingsSheet& sheet) {
            typeOnTheAttractorPage(sheet);
            const int paints = view.PaintCount();
            ClickTab(sheet, 1);
            QCOMPARE(shown->fov, 30.0f);
            QTRY_VERIFY(view.PaintCount() > paints);
            TypeInto(sheet.Tabs()->widget(1), "x0", "0.25");
            ClickTab(sheet, 2);
            TypeInto(sheet.Tabs()->widget(2), "x0", "0.75");
            ClickButton(sheet, QDialogButtonBox::Cancel);
        });
        QCOMPARE(doc.current(), shown);
        QCOMPARE(shown->fov, 30.0f);
        QCOMPARE(doc.defaults().defaultPointsCount, 1000);
        QCOMPARE(doc.defaults().defaults2D.x0, 0.25f);
        QVERIFY(doc.defaults().defaults3D == settings.defaults.defaults3D); // on show at Cancel
        // The start point and the count wait for OK or Apply.
        QCOMPARE(shown->pointsCount, points);
        QVERIFY(shown->display == display);
        QCOMPARE(doc.buffer().count, points);
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
