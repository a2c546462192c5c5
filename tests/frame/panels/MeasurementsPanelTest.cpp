// The Measurements panel: the figures and both plots arrive from the worker after a run, a new
// attractor replaces a measurement in progress, and what cannot be measured says why.
#include "CPanelMeasurements.h"
#include "DocumentAccess.h"
#include "MeasurementCharts.h"
#include "MeasurementWorker.h"
#include "PanelTestHost.h"

#include <QAbstractSeries>
#include <QChart>
#include <QGraphicsTextItem>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

constexpr int MEASURE_TIMEOUT_MS = 60000;
const char* const HENON = "EWM?MPMMWMMMM";
const char* const ODE_3D = "QDURUCPMORWCNVWALHUENMVOMXCONMK";
const char* const MAP_4D = "MLRIBWYMEQOSHXOGSVNKALDVKOOJFJVQNRHUBQCIDNTTPLPNSDXCDKESSDBKU";

struct MeasurementsFixture : PanelFixture {
    MeasurementsFixture() : PanelFixture(PANEL_MEASUREMENTS)
    {
        Arrange(doc).settings.defaults.defaultPointsCount = 10000;
        panel->resize(360, 760);
        InitialUpdate();
    }
    [[nodiscard]] CPanelMeasurements& Panel() const { return static_cast<CPanelMeasurements&>(*panel); }
    void Show(const char* code) { doc.SetAttractor(Record(code), SA_NO_SEARCH | SA_ADD_HISTORY); }
    [[nodiscard]] double Number(const QString& figure) const
    {
        return Panel().Figure(figure).section(' ', 0, 0).toDouble();
    }
    // A picture of the panel for a person to look at; written only when a folder is named.
    void Screenshot(const QString& name) const
    {
        const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
        if (!folder.isEmpty())
            panel->grab().save(folder + "/" + name);
    }
};

int SeriesCount(QChartView* view)
{
    return static_cast<int>(view->chart()->series().size());
}

// The texts the chart shows: title, axis titles and labels, legend.
QStringList ChartTexts(QChartView* view)
{
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items())
        if (item->isVisible())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
                texts << text->toPlainText();
    return texts;
}

} // namespace

class MeasurementsPanelTest : public QObject {
    Q_OBJECT
private slots:
    void henonFiguresAndPlotsArriveAfterTheRun();
    void aNewAttractorReplacesTheMeasurementInProgress();
    void caseZHasASpectrum();
    void aPanelAsShortAsASmallWindowKeepsEveryChartTextWhole();
};

void MeasurementsPanelTest::henonFiguresAndPlotsArriveAfterTheRun()
{
    MeasurementsFixture f;
    f.Show(HENON);
    QCOMPARE(f.Panel().Figure("Code"), QString(HENON));
    QTRY_VERIFY_WITH_TIMEOUT(!f.Panel().Figure("Kaplan-Yorke dimension").isEmpty(), MEASURE_TIMEOUT_MS);
    QVERIFY(qAbs(f.Number(QString::fromUtf8("\u03bb1")) - 0.6048) < 0.005);
    QVERIFY(qAbs(f.Number(QString::fromUtf8("\u03bb2")) + 2.3418) < 0.005);
    QVERIFY(f.Panel().Figure(QString::fromUtf8("\u03bb3")).isEmpty());
    QVERIFY(qAbs(f.Number("Kaplan-Yorke dimension") - 1.2583) < 0.003);
    QCOMPARE(f.Panel().Figure("Sum of exponents"), f.Panel().Figure("Mean ln|det J|"));
    QVERIFY(qAbs(f.Number("Correlation dimension") - 1.2) < 0.05);
    QCOMPARE(SeriesCount(f.Panel().Convergence()), 2);
    QCOMPARE(SeriesCount(f.Panel().Correlation()), 3); // points outside and inside the range, the line
    f.Screenshot("measurements-2d.png");
}

void MeasurementsPanelTest::aNewAttractorReplacesTheMeasurementInProgress()
{
    MeasurementsFixture f;
    f.Show(MAP_4D);
    QVERIFY(f.Panel().Worker().Running());
    f.Show(ODE_3D);
    QTRY_VERIFY_WITH_TIMEOUT(!f.Panel().Figure("Kaplan-Yorke dimension").isEmpty(), MEASURE_TIMEOUT_MS);
    QCOMPARE(f.Panel().Figure("Code"), QString(ODE_3D));
    QVERIFY(!f.Panel().Figure("Flow divergence").isEmpty());
    QVERIFY(!f.Panel().Figure("Mean ln|det J|").isEmpty());
    QCOMPARE(SeriesCount(f.Panel().Convergence()), 3);
    // Nothing of the 4D measurement arrives late: once its thread has ended, what it sent is
    // queued and handled here.
    QTRY_VERIFY_WITH_TIMEOUT(f.Panel().Worker().Idle(), MEASURE_TIMEOUT_MS);
    QCoreApplication::processEvents();
    QVERIFY(f.Panel().Figure(QString::fromUtf8("\u03bb4")).isEmpty());
    f.Screenshot("measurements-3d-ode.png");

    f.Show(MAP_4D);
    QTRY_VERIFY_WITH_TIMEOUT(!f.Panel().Figure("Kaplan-Yorke dimension").isEmpty(), MEASURE_TIMEOUT_MS);
    QCOMPARE(SeriesCount(f.Panel().Convergence()), 4);
    QCOMPARE(f.Panel().Figure("Sum of exponents"), f.Panel().Figure("Mean ln|det J|"));
    f.Screenshot("measurements-4d.png");
}

void MeasurementsPanelTest::caseZHasASpectrum()
{
    MeasurementsFixture f;
    f.Show("ZKWQEAFAWSNFUQU");
    QTRY_VERIFY_WITH_TIMEOUT(!f.Panel().Figure("Kaplan-Yorke dimension").isEmpty(), MEASURE_TIMEOUT_MS);
    QCOMPARE(SeriesCount(f.Panel().Convergence()), 2);
}

// In a window of 800 x 560 the docked panel gets about 300 x 450: the axis labels became "...".
void MeasurementsPanelTest::aPanelAsShortAsASmallWindowKeepsEveryChartTextWhole()
{
    MeasurementsFixture f;
    f.panel->resize(300, 450);
    f.Show(HENON);
    QTRY_VERIFY_WITH_TIMEOUT(!f.Panel().Figure("Kaplan-Yorke dimension").isEmpty(), MEASURE_TIMEOUT_MS);
    QCoreApplication::processEvents();
    // Every figure stays in sight.
    const QTreeWidget* tree = f.Panel().Tree();
    const QTreeWidgetItem* last = tree->topLevelItem(tree->topLevelItemCount() - 1);
    QVERIFY(tree->viewport()->rect().contains(tree->visualItemRect(last)));
    auto* tabs = f.Panel().findChild<QTabWidget*>();
    for (QChartView* chart : {static_cast<QChartView*>(f.Panel().Convergence()),
                              static_cast<QChartView*>(f.Panel().Correlation())}) {
        tabs->setCurrentWidget(chart);
        QCoreApplication::processEvents();
        f.Screenshot(chart->chart()->title().left(11) + "-short.png");
        const QStringList texts = ChartTexts(chart);
        QVERIFY2(texts.size() >= 6, qPrintable(texts.join(" | ")));
        for (const QString& text : texts)
            QVERIFY2(!text.contains(QChar(0x2026)) && !text.contains("..."), qPrintable(texts.join(" | ")));
    }
}

QTEST_MAIN(MeasurementsPanelTest)
#include "MeasurementsPanelTest.moc"
