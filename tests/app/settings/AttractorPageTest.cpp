#include "SheetHarness.h"

#include <cstring>

namespace zephyra::testing {

// The "Attractor & General" page: what waits for OK, what takes effect at once, the checks.
class AttractorPageTest : public QObject {
    Q_OBJECT

private slots:
    void fovAloneRedrawsWithoutRecomputing()
    {
        SheetHarness h;
        const PointBuffer& buffer = h.doc.buffer();
        const std::vector<Point> before(buffer.points.get(), buffer.points.get() + buffer.count);
        h.Type("fov", "45");
        h.ClickSheetButton(QDialogButtonBox::Ok);

        QCOMPARE(h.Sheet().result(), int(QDialog::Accepted));
        QCOMPARE(h.doc.current()->fov, 45.0f);
        QVERIFY(h.Hints(UH_REDRAW) > 0);
        QVERIFY(!h.Recomputed());
        QVERIFY(std::memcmp(before.data(), buffer.points.get(), before.size() * sizeof(Point)) == 0);
    }

    // Unmended, Settings did not open, so a start-up count that no memory could hold stayed for ever.
    void withNoCurrentAttractorTheGeneralSettingsStillApply()
    {
        SheetHarness h;
        Arrange(h.doc).current.Reset();
        QVERIFY(!h.Control("points")->isEnabled());
        h.Type("defaultPointsCount", "50000");
        h.ClickSheetButton(QDialogButtonBox::Ok);
        QCOMPARE(h.Sheet().result(), int(QDialog::Accepted));
        QCOMPARE(h.doc.defaults().defaultPointsCount, 50000);
    }

    void startPointChangeRecomputesFromTheNewPoint()
    {
        SheetHarness h;
        h.Type("x0", "0.1");
        h.ClickSheetButton(QDialogButtonBox::Ok);

        QCOMPARE(h.doc.current()->display.x0, 0.1f);
        QCOMPARE(h.Recomputations(), 1);
        QVERIFY(h.Hints(UH_REDRAW) > 0);

        SheetHarness reference(HENON_CODE, false);
        reference.doc.current()->display.x0 = 0.1f;
        QVERIFY(reference.doc.ComputePoints(reference.doc.current(), true, false, nullptr));
        QCOMPARE(h.doc.buffer().count, reference.doc.buffer().count);
        QVERIFY(std::memcmp(h.doc.buffer().points.get(), reference.doc.buffer().points.get(),
                            sizeof(Point) * h.doc.buffer().count) == 0);
    }

    void untouchedStartPointIsNotAltered()
    {
        SheetHarness h;
        const float x0 = 0.123456789f; // needs more than six digits to be told apart
        h.doc.current()->display.x0 = x0;
        h.Type("fov", "61");
        h.ClickSheetButton(QDialogButtonBox::Ok);
        QCOMPARE(h.doc.current()->display.x0, x0);
        QVERIFY(!h.Recomputed());
    }

    void pointCountWaitsForApply()
    {
        SheetHarness h;
        h.Type("points", "20000");
        h.ClickTab(1);
        QCOMPARE(h.doc.current()->pointsCount, 10000);
        QVERIFY(h.Sheet().ApplyButton()->isEnabled());

        h.ClickSheetButton(QDialogButtonBox::Apply);
        QCOMPARE(h.doc.current()->pointsCount, 20000);
        QCOMPARE(h.doc.buffer().count, 20000);
        QVERIFY(!h.Sheet().ApplyButton()->isEnabled());
        QVERIFY(h.Sheet().isVisible());
    }

    void escapeDuringTheRecomputationIsNotUndoneByTheOkStep()
    {
        SheetHarness h;
        const int runsBefore = h.host.busyCalls;
        h.host.EscapeAtIteration(1500);
        h.Type("points", "20000");
        h.ClickSheetButton(QDialogButtonBox::Ok);

        QCOMPARE(h.host.busyCalls, runsBefore + 1);
        QCOMPARE(h.doc.current()->pointsCount, 1500); // the partial orbit is kept
        QCOMPARE(h.host.Status(0), std::string("Canceled by user"));
    }

    // The page shows the count the cancelled run kept, so the next Apply does not run it again.
    void cancelledRunIsNotStartedAgainByTheNextApply()
    {
        SheetHarness h;
        const int runsBefore = h.host.busyCalls;
        h.host.EscapeAtIteration(1500);
        h.Type("points", "20000");
        h.ClickSheetButton(QDialogButtonBox::Apply);
        QCOMPARE(h.Control("points")->text(), QString("1500"));

        h.Type("fov", "61");
        h.ClickSheetButton(QDialogButtonBox::Apply);
        QCOMPARE(h.host.busyCalls, runsBefore + 1);
        QCOMPARE(h.doc.current()->pointsCount, 1500);
        QCOMPARE(h.doc.current()->fov, 61.0f);
    }

    void fovOutOfRangeKeepsTheDialogOpen()
    {
        SheetHarness h;
        QLineEdit* fov = h.Control("fov");
        h.Type(fov, "200");
        const QString message =
            SheetHarness::MessageShownBy([&] { h.ClickSheetButton(QDialogButtonBox::Ok); });

        QCOMPARE(message, QString("Please enter a number between 0 and 180."));
        QVERIFY(h.Sheet().isVisible());
        QCOMPARE(h.Sheet().result(), int(QDialog::Rejected));
        QCOMPARE(h.Sheet().focusWidget(), fov);
        QCOMPARE(fov->selectedText(), QString("200"));
        QCOMPARE(h.doc.current()->fov, DEFAULT_FOV); // the refused value is not stored
        QCOMPARE(h.Hints(UH_REDRAW), 0);
    }

    void checksRunInOrderAndStopAtTheFirstFailure()
    {
        SheetHarness h;
        h.Type("historyLimit", "7");
        h.Type("fov", "30");
        h.Type("points", "abc");
        const QString message =
            SheetHarness::MessageShownBy([&] { h.ClickSheetButton(QDialogButtonBox::Ok); });

        QCOMPARE(message, QString("Please enter an integer."));
        QCOMPARE(h.Sheet().focusWidget(), h.Control("points"));
        QCOMPARE(h.doc.historyLimit(), 7);           // exchanged before the failing check
        QCOMPARE(h.doc.current()->fov, DEFAULT_FOV); // after it

        h.Type("points", "-1");
        QCOMPARE(SheetHarness::MessageShownBy([&] { h.ClickSheetButton(QDialogButtonBox::Ok); }),
                 QString("Please enter an integer between 0 and 2147483647."));
    }

    void badValueKeepsThePage()
    {
        SheetHarness h;
        h.Type("y0", "1.5.2");
        QCOMPARE(SheetHarness::MessageShownBy([&] { h.ClickTab(2); }), QString("Please enter a number."));
        QCOMPARE(h.Sheet().Tabs()->currentIndex(), 0);
        QCOMPARE(h.Sheet().focusWidget(), h.Control("y0"));
    }

    void generalSettingsAndFovTakeEffectOnPageChange()
    {
        SheetHarness h;
        h.Type("defaultPointsCount", "123456");
        h.Type("fov", "90");
        h.Type("x0", "0.5");
        auto* antialias = h.Control<QComboBox>("antialias");
        antialias->setFocus();
        QTest::keyClick(antialias, Qt::Key_Down);
        h.ClickTab(3);
        h.ClickSheetButton(QDialogButtonBox::Cancel);

        QCOMPARE(h.doc.defaults().defaultPointsCount, 123456);
        QCOMPARE(h.doc.antialias(), 1);
        QCOMPARE(h.doc.current()->fov, 90.0f);
        QCOMPARE(h.doc.current()->display.x0, 0.05f); // the display copy waited for OK
        QVERIFY(!h.Recomputed());
    }

    void defaultsButtonLoadsTheDefaultsOfTheDimension()
    {
        SheetHarness h(ZeroMap3D(), false);
        QCOMPARE(h.doc.current()->dimension, 3);
        DisplaySettings& d3 = Arrange(h.doc).settings.defaults.defaults3D;
        d3.x0 = 0.25f;
        d3.coordX = COORD_ZERO;
        d3.fgColor = {1.0f, 0.0f, 0.0f};
        Arrange(h.doc).settings.defaults.defaults2D.x0 = 0.75f;
        Arrange(h.doc).settings.defaults.defaultPointsCount = 1234;
        const DisplaySettings before = h.doc.current()->display;

        QVERIFY(!h.Sheet().ApplyButton()->isEnabled());
        h.Click("defaults");
        QVERIFY(h.Sheet().ApplyButton()->isEnabled());
        QCOMPARE(h.Control("points")->text(), QString("1234"));
        QCOMPARE(h.Control("x0")->text(), QString("0.25"));
        QCOMPARE(h.Control<QComboBox>("coordX")->currentText(), QString("zero"));
        QVERIFY(h.Sheet().AttractorPage()->settingsCopy == d3);
        QVERIFY(h.doc.current()->display == before); // waits for OK
        h.Type("x0", "abc");
        QCOMPARE(SheetHarness::MessageShownBy([&] { h.Click("defaults"); }),
                 QString("Please enter a number."));
        QCOMPARE(h.Control("x0")->text(), QString("abc")); // the button stopped at the refused value
        h.Type("x0", "0.25");

        h.ClickSheetButton(QDialogButtonBox::Ok);
        QVERIFY(h.doc.current()->display == d3);
        QCOMPARE(h.doc.current()->pointsCount, 1234);
    }
};

} // namespace zephyra::testing

QTEST_MAIN(zephyra::testing::AttractorPageTest)
#include "AttractorPageTest.moc"
