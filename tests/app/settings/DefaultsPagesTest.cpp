#include "SheetHarness.h"

#include "ColorChannel.h"

namespace zephyra::testing {

constexpr int PAGE_2D = 1, PAGE_3D = 2, PAGE_4D = 3;

// The "Defaults 2D/3D/4D" pages edit the live defaults: colours, resets and page changes stick.
class DefaultsPagesTest : public QObject {
    Q_OBJECT

private slots:
    void pickedColourSurvivesCancel()
    {
        SheetHarness h;
        Arrange(h.doc).settings.defaults.defaults2D.fgColor = {0.5f, 0.5f, 0.5f};
        h.ClickTab(PAGE_2D);
        const QColor start =
            SheetHarness::ChooseColor(QColor(255, 128, 0), [&] { h.Click("fgColorPick", PAGE_2D); });
        h.ClickSheetButton(QDialogButtonBox::Cancel);

        QCOMPARE(start, QColor(127, 127, 127)); // 0.5 x 255 truncated
        const Rgb expected{1.0f, 128 * 0.003921569f, 0.0f};
        QVERIFY(h.doc.defaults().defaults2D.fgColor == expected);
        QVERIFY(h.doc.defaults().defaults3D.fgColor == DisplaySettings{}.fgColor);
    }

    void everyByteSurvivesTheChooserUnchanged()
    {
        SheetHarness h;
        h.ClickTab(PAGE_3D);
        int shown = 255; // the built-in background is white
        for (int byte : {0, 1, 127, 128, 200, 254, 255}) {
            const QColor start =
                SheetHarness::ChooseColor(QColor(byte, byte, byte), [&] { h.Click("bgColor", PAGE_3D); });
            QCOMPARE(start.red(), shown);
            QCOMPARE(h.doc.defaults().defaults3D.bgColor[0], ByteToChannel(byte));
            shown = byte;
        }
    }

    void swatchesArePaintedInTheirColours()
    {
        SheetHarness h;
        Arrange(h.doc).settings.defaults.defaults2D.fgColor = {0.5f, 0.25f, 1.0f};
        Arrange(h.doc).settings.defaults.defaults2D.bgColor = {0.0f, 0.999f, 0.1f};
        h.ClickTab(PAGE_2D);
        for (const auto& [name, expected] :
             {std::pair{"fgColor", QColor(127, 63, 255)}, {"bgColor", QColor(0, 254, 25)}}) {
            QWidget* swatch = h.Control<QWidget>(name, PAGE_2D);
            const QImage image = swatch->grab().toImage();
            QCOMPARE(image.pixelColor(image.rect().center()), expected);
        }
    }

    void cancelledChooserStillMarksThePage()
    {
        SheetHarness h;
        h.ClickTab(PAGE_3D);
        const Rgb before = h.doc.defaults().defaults3D.fgColor;
        SheetHarness::ChooseColor(QColor(), [&] { h.Click("fgColor", PAGE_3D); });
        QVERIFY(h.doc.defaults().defaults3D.fgColor == before);
        QVERIFY(h.Sheet().ApplyButton()->isEnabled());
    }

    void startPointIsTakenWhenThePageIsLeft()
    {
        SheetHarness h;
        h.ClickTab(PAGE_2D);
        h.Type("x0", "0.3", PAGE_2D);
        h.ClickTab(PAGE_3D);
        h.Type("x0", "0.4", PAGE_3D);
        h.ClickSheetButton(QDialogButtonBox::Cancel);

        QCOMPARE(h.doc.defaults().defaults2D.x0, 0.3f);
        QCOMPARE(h.doc.defaults().defaults3D.x0, 0.05f); // never left, so never taken
    }

    // A reset and a pick reach the defaults at once and tell the views; Cancel undoes neither.
    void cancelAfterChangesOnEveryPageKeepsWhatWasTaken()
    {
        SheetHarness h;
        h.ClickTab(PAGE_2D);
        h.Type("x0", "0.3", PAGE_2D);
        h.ClickTab(PAGE_4D);
        QCOMPARE(h.Hints(UH_REDRAW), 1);
        h.Click("reset", PAGE_4D);
        QCOMPARE(h.Hints(UH_REDRAW), 2);
        SheetHarness::ChooseColor(QColor(0, 0, 255), [&] { h.Click("bgColorPick", PAGE_4D); });
        QCOMPARE(h.Hints(UH_REDRAW), 3);
        SheetHarness::ChooseColor(QColor(), [&] { h.Click("fgColorPick", PAGE_4D); });
        QCOMPARE(h.Hints(UH_REDRAW), 3); // a cancelled chooser changed nothing to draw
        h.ClickTab(PAGE_3D);
        h.ClickSheetButton(QDialogButtonBox::Cancel);

        QCOMPARE(h.doc.defaults().defaults2D.x0, 0.3f);
        DisplaySettings expected4D;
        expected4D.bgColor = {0.0f, 0.0f, 1.0f};
        QVERIFY(h.doc.defaults().defaults4D == expected4D);
        QCOMPARE(h.Hints(UH_REDRAW), 3);
    }

    void resetOn4DGivesTheBuiltInMapping()
    {
        SheetHarness h;
        DisplaySettings& d4 = Arrange(h.doc).settings.defaults.defaults4D;
        d4.x0 = 0.7f;
        d4.bgColor = {0.0f, 0.0f, 0.0f};
        h.ClickTab(PAGE_4D);
        QCOMPARE(h.Control<QComboBox>("colorR", PAGE_4D)->currentText(), QString("w"));
        h.Type("y0", "0.9", PAGE_4D);

        h.Click("reset", PAGE_4D);
        QVERIFY(h.doc.defaults().defaults4D == DisplaySettings{});
        QCOMPARE(h.Control<QComboBox>("colorR", PAGE_4D)->currentText(), QString("x"));
        QCOMPARE(h.Control<QComboBox>("colorG", PAGE_4D)->currentText(), QString("y"));
        QCOMPARE(h.Control<QComboBox>("colorB", PAGE_4D)->currentText(), QString("z"));
        QCOMPARE(h.Control("y0", PAGE_4D)->text(), QString("0.05"));
        QVERIFY(!h.Sheet().ApplyButton()->isEnabled());
    }

    void applyTakesTheChoicesAndRedraws()
    {
        SheetHarness h;
        h.ClickTab(PAGE_3D);
        auto* coordY = h.Control<QComboBox>("coordY", PAGE_3D);
        coordY->setFocus();
        QTest::keyClick(coordY, Qt::Key_End);
        QVERIFY(h.Sheet().ApplyButton()->isEnabled());

        h.ClickSheetButton(QDialogButtonBox::Apply);
        QCOMPARE(h.doc.defaults().defaults3D.coordY, COORD_ZERO);
        QVERIFY(h.Hints(UH_REDRAW) > 0);
        QVERIFY(!h.Sheet().ApplyButton()->isEnabled());
        QVERIFY(!h.Recomputed());
    }

    // Each page at the default font size: nothing clipped, nothing overlapping its neighbours.
    // With ZEPHYRA_SCREENSHOTS set to a folder, the pages are also saved there to be looked at.
    void pagesAreLaidOutTidily()
    {
        SheetHarness h;
        const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
        for (int page = 0; page < h.Sheet().Tabs()->count(); ++page) {
            h.ClickTab(page);
            QWidget* current = h.Sheet().Tabs()->currentWidget();
            QCOMPARE(h.Sheet().Tabs()->currentIndex(), page);
            const QList<QWidget*> controls = current->findChildren<QWidget*>();
            for (QWidget* a : controls) {
                if (!a->isVisible() || a->parentWidget() != current)
                    continue;
                QVERIFY2(current->rect().contains(a->geometry()), qPrintable(a->objectName()));
                QVERIFY(a->width() >= a->minimumSizeHint().width());
            }
            if (!folder.isEmpty())
                h.Sheet().grab().save(QString("%1/settings-page-%2.png").arg(folder).arg(page));
        }
    }
};

} // namespace zephyra::testing

QTEST_MAIN(zephyra::testing::DefaultsPagesTest)
#include "DefaultsPagesTest.moc"
