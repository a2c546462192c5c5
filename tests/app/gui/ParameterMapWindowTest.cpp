// The Parameter Map panel in the window: its key from the code box opens it over Hénon's a and b,
// the map fills from coarse to fine, a click shows the attractor at that pixel, the wheel and a
// drag move the ranges, and Export writes a PNG that carries the map's record.
#include "ExplorerHarness.h"

#include "CPanelParameterMap.h"
#include "CodeBox.h"
#include "CommandIds.h"
#include "FrameLayouts.h"
#include "ParameterMapView.h"
#include "ParameterRecord.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

using namespace zephyra;
using namespace zephyra::testing;

namespace {
constexpr int MAP_TIMEOUT_MS = 60000;
} // namespace

class ParameterMapWindowTest : public ExplorerTest {
    Q_OBJECT

    // Opens the panel as a person does, from the code box where the focus is.
    void OpenPanel()
    {
        CMainFrame& frame = explorer->Frame();
        // A small window keeps the map (one pixel a screen pixel) quick.
        frame.resize(760, 440);
        QLineEdit* edit = frame.Codes().lineEdit();
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    }
    CPanelParameterMap& Panel() const
    {
        return *static_cast<CPanelParameterMap*>(explorer->Frame().Layouts().Panel(PANEL_PARAMETER_MAP));
    }

private slots:
    void clickingAPixelShowsTheAttractorWithItsValues()
    {
        OpenPanel();
        CPanelParameterMap& panel = Panel();
        QCOMPARE(explorer->Frame().CurrentPanel(), PANEL_PARAMETER_MAP);
        ParameterMapView& map = *panel.Map();
        QSignalSpy passes(&map, &ParameterMapView::PassShown);
        // Hénon's a (the x² term) across, b up.
        QCOMPARE(panel.Across()->currentIndex() + 1, 3);
        QCOMPARE(panel.Upwards()->currentIndex() + 1, 5);
        QTRY_VERIFY_WITH_TIMEOUT(map.Finished(), MAP_TIMEOUT_MS);
        QVERIFY(passes.size() >= 2);
        QVERIFY(passes.front().front().toInt() > 1); // a coarse picture came first
        const MapSettings m = map.Settings();
        // One map pixel a screen pixel, over the same range of each coefficient: a square.
        QCOMPARE(m.width, map.MapRect().width());
        QCOMPARE(m.height, m.width);
        QCOMPARE(m.x.low, -1.9);
        QCOMPARE(m.y.high, 0.8);
        QVERIFY(map.Mark() && map.Mark()->x == static_cast<double>(-1.4f));
        const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
        if (!folder.isEmpty())
            explorer->Frame().grab().save(folder + "/parameter-map-window.png");

        CZephyraDoc& doc = explorer->Doc();
        const int history = doc.history().Count();
        const std::vector<double> before = doc.current()->CoefficientValues();
        const QPoint pixel(m.width / 3, m.height / 4);
        QTest::mouseClick(&map, Qt::LeftButton, {}, map.MapRect().topLeft() + pixel);
        QVERIFY(doc.current()->HasExactCoefficients());
        QCOMPARE(doc.current()->CoefficientOf(3), m.ColumnValue(pixel.x()));
        QCOMPARE(doc.current()->CoefficientOf(5), m.RowValue(pixel.y()));
        for (int i = 1; i <= doc.current()->CoefficientsCount(); ++i)
            if (i != 3 && i != 5)
                QCOMPARE(doc.current()->CoefficientOf(i), before[static_cast<std::size_t>(i)]);
        QCOMPARE(doc.history().Count(), history + 1);
        QVERIFY(doc.history().GetAt(0) == doc.current());
        // The map stays (only its two values changed); the cross moved to the point.
        QVERIFY(map.Finished());
        QCOMPARE(map.Mark()->x, m.ColumnValue(pixel.x()));
        QCOMPARE(map.Mark()->y, m.RowValue(pixel.y()));
        QCOMPARE(panel.Across()->currentIndex() + 1, 3);
    }

    void wheelZoomsAboutTheMouseAndADragPans()
    {
        OpenPanel();
        ParameterMapView& map = *Panel().Map();
        const MapSettings before = map.Settings();
        const QRect r = map.MapRect();
        const QPoint at = r.topLeft() + QPoint(r.width() / 4, r.height() / 2);
        // The values under the mouse, between the pixels' centres as the wheel sees them.
        const auto valuesAt = [&](const MapSettings& m) {
            return QPointF(m.x.low + (at.x() - r.left()) / double(r.width()) * (m.x.high - m.x.low),
                           m.y.high - (at.y() - r.top()) / double(r.height()) * (m.y.high - m.y.low));
        };
        QWheelEvent wheel(QPointF(at), map.mapToGlobal(QPointF(at)), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&map, &wheel);
        const MapSettings zoomed = map.Settings();
        QCOMPARE(zoomed.x.high - zoomed.x.low, 0.8 * (before.x.high - before.x.low));
        QCOMPARE(zoomed.y.high - zoomed.y.low, 0.8 * (before.y.high - before.y.low));
        QVERIFY((valuesAt(zoomed) - valuesAt(before)).manhattanLength() < 1e-12);

        // Dragging the picture right by a tenth of the map brings lower values into sight.
        const int dx = r.width() / 10;
        QTest::mousePress(&map, Qt::LeftButton, {}, at);
        QTest::mouseMove(&map, at + QPoint(dx / 2, 0));
        QTest::mouseMove(&map, at + QPoint(dx, 0));
        QTest::mouseRelease(&map, Qt::LeftButton, {}, at + QPoint(dx, 0));
        const MapSettings panned = map.Settings();
        const double shift = static_cast<double>(dx) / r.width() * (zoomed.x.high - zoomed.x.low);
        QVERIFY(qAbs(panned.x.low - (zoomed.x.low - shift)) < 1e-12);
        QCOMPARE(panned.y.low, zoomed.y.low);
        QCOMPARE(explorer->Doc().history().Count(), 1); // a drag picks nothing
    }

    // The boxes never name one coefficient twice, and another attractor brings its own case's
    // choices and a new map around its values.
    void theChoicesFollowTheCaseShown()
    {
        OpenPanel();
        CPanelParameterMap& panel = Panel();
        QCOMPARE(panel.Across()->count(), 12);
        QCOMPARE(panel.Across()->currentText(), QString("3: ?  (-1.4)"));
        panel.Upwards()->setCurrentIndex(2); // place 3, the one across
        QCOMPARE(panel.Across()->currentIndex() + 1, 5);
        QCOMPARE(panel.Map()->Settings().x.place, 5);
        QCOMPARE(panel.Map()->Settings().y.place, 3);
        QCOMPARE(panel.Map()->Settings().x.high, 0.8);

        QLineEdit* edit = explorer->Frame().Codes().lineEdit();
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, "MLRIBWYMEQOSHXOGSVNKALDVKOOJFJVQNRHUBQCIDNTTPLPNSDXCDKESSDBKU");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(panel.Across()->count(), 60);
        const MapSettings& m = panel.Map()->Settings();
        QCOMPARE(m.x.place, 1);
        QCOMPARE(m.y.place, 2);
        QCOMPARE(m.x.low, -0.6);
        QCOMPARE(m.y.high, 1.0);
        QVERIFY(panel.Map()->Computing());
    }

    // Hiding the panel stops its worker; shown again, the map goes on to the end.
    void aHiddenPanelStopsAndGoesOnWhenShownAgain()
    {
        OpenPanel();
        ParameterMapView& map = *Panel().Map();
        QLineEdit* edit = explorer->Frame().Codes().lineEdit();
        QTest::keyClick(edit, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(explorer->Frame().CurrentPanel(), PANEL_NONE);
        QVERIFY(!map.Computing());
        QTest::keyClick(edit, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(explorer->Frame().CurrentPanel(), PANEL_PARAMETER_MAP);
        QTRY_VERIFY_WITH_TIMEOUT(map.Finished(), MAP_TIMEOUT_MS);
    }

    void exportWritesTheMapWithItsRecord()
    {
        OpenPanel();
        CPanelParameterMap& panel = Panel();
        QVERIFY(!panel.ExportMap(SandboxFolder().filePath("early.png")).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(panel.Map()->Finished(), MAP_TIMEOUT_MS);
        QVERIFY(!panel.ExportMap(SandboxFolder().filePath("missing/map.png")).isEmpty());
        QVERIFY(!QFile::exists(SandboxFolder().filePath("missing")));

        const QString path = SandboxFolder().filePath("map.png");
        QCOMPARE(panel.ExportMap(path), QString());
        const std::optional<DecodedPng> png = ReadPng(path.toStdString(), true);
        QVERIFY(png);
        const MapSettings& m = panel.Map()->Settings();
        QCOMPARE(png->picture.Width(), m.width);
        QCOMPARE(png->picture.Height(), m.height);
        std::optional<MapSettings> record;
        for (const PngText& text : png->texts)
            if (text.key == MAP_CHUNK_KEY)
                record = ReadMapRecordText(text.text);
        QVERIFY(record);
        QCOMPARE(record->x.place, 3);
        QCOMPARE(record->y.high, m.y.high);
        QCOMPARE(record->width, m.width);
        QCOMPARE(record->steps, m.steps);
    }
};

QTEST_MAIN(ParameterMapWindowTest)
#include "ParameterMapWindowTest.moc"
