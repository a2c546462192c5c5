// The Gallery: fills from the background search, clicks show finds and push them onto History,
// Variants gives neighbours, Favorite keeps the selected one, a new case letter restarts it.
#include "CPanelGallery.h"
#include "CommandIds.h"
#include "LyapunovExponents.h"
#include "PanelTestHost.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QTest>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

constexpr int FILL_TIMEOUT_MS = 60000;

struct GalleryFixture : PanelFixture {
    GalleryFixture() : PanelFixture(PANEL_GALLERY)
    {
        // Short exact runs: the test is about the panel, not the engine.
        doc.defaults.defaultPointsCount = 8000;
        doc.caseLetter = 'E';
        InitialUpdate();
    }
    [[nodiscard]] CPanelGallery& Gallery() const { return static_cast<CPanelGallery&>(*panel); }
    [[nodiscard]] QListWidget& Grid() const { return *Gallery().Grid(); }
    void Click(int row)
    {
        QListWidgetItem* item = Grid().item(row);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().visualItemRect(item).center());
    }
};

int ChangedCoefficients(const std::string& a, const std::string& b)
{
    int changed = 0;
    for (std::size_t i = 1; i < a.size(); ++i)
        changed += a[i] != b[i];
    return a.size() == b.size() && a[0] == b[0] ? changed : -1;
}

} // namespace

class GalleryPanelTest : public QObject {
    Q_OBJECT
private slots:
    void clicksShowFindsAndAddThemToHistory();
    void variantsAreNeighboursOfTheAttractorShown();
    void anotherCaseLetterStartsAFreshPage();
    void spectrumFiltersFillThePageWithQualifiedFinds();
};

void GalleryPanelTest::clicksShowFindsAndAddThemToHistory()
{
    GalleryFixture f;
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
    const SearchFilter filter = f.Gallery().Filter();
    for (int row = 0; row < 3; ++row) {
        f.Click(row);
        const QString code = f.Grid().item(row)->text();
        QVERIFY(f.doc.current);
        QCOMPARE(QString::fromStdString(f.doc.current->code), code);
        QCOMPARE(f.doc.history.Count(), row + 1);
        QCOMPARE(QString::fromStdString(f.doc.history.GetAt(0)->code), code);
        QVERIFY(filter.minLyapunov <= f.doc.current->lyapunov);
    }
    // Favorite keeps the selected find: it becomes current, then the document's command runs.
    f.Grid().setCurrentRow(5);
    ClickButton(*f.panel, cmd::ID_ADD_TO_FAVORITES);
    QCOMPARE(QString::fromStdString(f.doc.current->code), f.Grid().item(5)->text());
    QCOMPARE(f.sent, std::vector<int>{cmd::ID_ADD_TO_FAVORITES});

    // A picture of the panel for a person to look at; written only when a folder is named.
    const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
    if (!folder.isEmpty())
        f.panel->grab().save(folder + "/gallery-panel.png");
}

void GalleryPanelTest::variantsAreNeighboursOfTheAttractorShown()
{
    GalleryFixture f;
    QTRY_VERIFY_WITH_TIMEOUT(f.Grid().count() > 0, FILL_TIMEOUT_MS);
    f.Click(0);
    const std::string source = f.doc.current->code;
    f.Gallery().SearchVariants();
    // Some finds have fewer passing neighbours than the page has places: wait for the page or the
    // end of the tries, then take the finds still queued for this thread.
    QTRY_VERIFY_WITH_TIMEOUT(f.Grid().count() == CPanelGallery::PAGE_SIZE || !f.Gallery().Searching(),
                             FILL_TIMEOUT_MS);
    QCoreApplication::processEvents();
    QVERIFY(f.Grid().count() > 0);
    for (int row = 0; row < f.Grid().count(); ++row) {
        const int changed = ChangedCoefficients(source, f.Grid().item(row)->text().toStdString());
        QVERIFY2(changed >= 1 && changed <= 3, qPrintable(f.Grid().item(row)->text()));
    }
}

void GalleryPanelTest::anotherCaseLetterStartsAFreshPage()
{
    GalleryFixture f;
    QTRY_VERIFY_WITH_TIMEOUT(f.Grid().count() > 0, FILL_TIMEOUT_MS);
    f.doc.caseLetter = 'F';
    f.doc.UpdateAllViews(UH_REDRAW);
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
    for (int row = 0; row < f.Grid().count(); ++row)
        QCOMPARE(f.Grid().item(row)->text().front(), QChar('F'));
}

void GalleryPanelTest::spectrumFiltersFillThePageWithQualifiedFinds()
{
    GalleryFixture f;
    auto* hyperchaotic = f.panel->findChild<QCheckBox*>();
    QVERIFY(hyperchaotic);
    QVERIFY(!f.Gallery().Filter().NeedsSpectrum());
    // The Kaplan-Yorke box is the last of the spin boxes; typed into as a person does.
    QDoubleSpinBox* ky = f.panel->findChildren<QDoubleSpinBox*>().back();
    ky->selectAll();
    QTest::keyClicks(ky, "1.3");
    QTest::keyClick(ky, Qt::Key_Return);
    QCOMPARE(f.Gallery().Filter().minKaplanYorke, 1.3f);
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
    for (int row = 0; row < 3; ++row) {
        f.Click(row);
        QVERIFY(f.doc.current);
        const AttractorRef a = f.doc.current;
        SpectrumSettings settings;
        settings.steps = a->pointsCount;
        QVERIFY(MeasureSpectrum(OrbitSystem::Of(*a), settings).kaplanYorke >= 1.3);
    }
    QTest::mouseClick(hyperchaotic, Qt::LeftButton, {}, QPoint(4, hyperchaotic->height() / 2));
    QVERIFY(f.Gallery().Filter().hyperchaotic);
}

QTEST_MAIN(GalleryPanelTest)
#include "GalleryPanelTest.moc"
