// The Gallery: fills from the background search, clicks show finds and push them onto History,
// Variants gives neighbours, Favorite keeps the selected one, a new case restarts it; the line under
// the filters tells how far a page is, why it ended short, or which range is reversed.
#include "CPanelGallery.h"
#include "CommandIds.h"
#include "DocumentAccess.h"
#include "LyapunovExponents.h"
#include "PanelTestHost.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

constexpr int FILL_TIMEOUT_MS = 60000;

struct GalleryFixture : PanelFixture {
    GalleryFixture() : PanelFixture(PANEL_GALLERY)
    {
        // Short exact runs: the test is about the panel, not the engine.
        Arrange(doc).settings.defaults.defaultPointsCount = 8000;
        Arrange(doc).settings.caseLetter = 'E';
        InitialUpdate();
    }
    [[nodiscard]] CPanelGallery& Gallery() const { return static_cast<CPanelGallery&>(*panel); }
    [[nodiscard]] QListWidget& Grid() const { return *Gallery().Grid(); }
    // A filter field, found by its tip as a person finds it by its place.
    [[nodiscard]] QDoubleSpinBox& Box(const QString& tip) const
    {
        for (QDoubleSpinBox* box : panel->findChildren<QDoubleSpinBox*>())
            if (box->toolTip() == tip)
                return *box;
        qFatal("no field %s", qPrintable(tip));
    }
    static void Type(QDoubleSpinBox& box, const char* text)
    {
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, text);
        QTest::keyClick(&box, Qt::Key_Return);
    }
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
    void aPageIsOfTheCaseShownAndNamesIt();
    void spectrumFiltersFillThePageWithQualifiedFinds();
    void aReversedRangeIsMarkedAndNotSearched();
    void aPageSaysHowFarItIsAndWhenNothingMatches();
};

void GalleryPanelTest::clicksShowFindsAndAddThemToHistory()
{
    GalleryFixture f;
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
    const SearchFilter filter = f.Gallery().Filter();
    for (int row = 0; row < 3; ++row) {
        f.Click(row);
        const QString code = f.Grid().item(row)->text();
        QVERIFY(f.doc.current());
        QCOMPARE(QString::fromStdString(f.doc.current()->code), code);
        QCOMPARE(f.doc.history().Count(), row + 1);
        QCOMPARE(QString::fromStdString(f.doc.history().GetAt(0)->code), code);
        QVERIFY(filter.minLyapunov <= f.doc.current()->lyapunov);
    }
    // Favorite keeps the selected find: it becomes current, then the document's command runs.
    f.Grid().setCurrentRow(5);
    ClickButton(*f.panel, cmd::ID_ADD_TO_FAVORITES);
    QCOMPARE(QString::fromStdString(f.doc.current()->code), f.Grid().item(5)->text());
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
    const std::string source = f.doc.current()->code;
    f.Gallery().SearchVariants();
    // Some finds have fewer passing neighbours than the page has places: wait for the page or the
    // end of the tries, then take the finds still queued for this thread.
    QTRY_VERIFY_WITH_TIMEOUT(f.Grid().count() == CPanelGallery::PAGE_SIZE || !f.Gallery().Searching(),
                             FILL_TIMEOUT_MS);
    QCoreApplication::processEvents();
    QVERIFY(f.Grid().count() > 0);
    for (int row = 0; row < f.Grid().count(); ++row) {
        // The caption names the letters that changed, where the code's start would be the same.
        const QListWidgetItem& item = *f.Grid().item(row);
        const std::string code = item.toolTip().section('\n', 0, 0).toStdString();
        const int changed = ChangedCoefficients(source, code);
        QVERIFY2(changed >= 1 && changed <= 3, code.c_str());
        QStringList letters;
        for (std::size_t i = 1; i < code.size(); ++i)
            if (code[i] != source[i])
                letters << QString("%1:%2\u2192%3").arg(i).arg(source[i]).arg(code[i]);
        QCOMPARE(item.text(), letters.join(' '));
    }
    const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
    if (!folder.isEmpty())
        f.panel->grab().save(folder + "/gallery-variants.png");
}

void GalleryPanelTest::aPageIsOfTheCaseShownAndNamesIt()
{
    GalleryFixture f;
    QTRY_VERIFY_WITH_TIMEOUT(f.Grid().count() > 0, FILL_TIMEOUT_MS);
    QCOMPARE(f.panel->Title(), QString("Gallery: Case E (D:2 O:2 M:12)"));
    Arrange(f.doc).settings.caseLetter = 'F';
    f.doc.UpdateAllViews(UH_REDRAW);
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
    for (int row = 0; row < f.Grid().count(); ++row)
        QCOMPARE(f.Grid().item(row)->text().front(), QChar('F'));

    // An opened picture of another case keeps the case Next searches, but the page follows the
    // attractor on screen.
    f.doc.SetAttractor(Attractor::CreateFromCode("ILNXEHEPNLCRKHEVEDPVOJLLSLGWVES", f.doc.defaults()),
                       SA_NO_SEARCH | SA_ADD_HISTORY);
    QCOMPARE(f.doc.caseLetter(), 'F');
    QCOMPARE(f.panel->Title(), QString("Gallery: Case I (D:3 O:2 M:30)"));
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
    for (int row = 0; row < f.Grid().count(); ++row)
        QCOMPARE(f.Grid().item(row)->text().front(), QChar('I'));
}

void GalleryPanelTest::spectrumFiltersFillThePageWithQualifiedFinds()
{
    GalleryFixture f;
    auto* hyperchaotic = f.panel->findChild<QCheckBox*>();
    QVERIFY(hyperchaotic);
    QVERIFY(!f.Gallery().Filter().NeedsSpectrum());
    GalleryFixture::Type(f.Box("Lowest Kaplan-Yorke dimension (0: any)"), "1.3");
    QCOMPARE(f.Gallery().Filter().minKaplanYorke, 1.3f);
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
    for (int row = 0; row < 3; ++row) {
        f.Click(row);
        QVERIFY(f.doc.current());
        const AttractorRef a = f.doc.current();
        SpectrumSettings settings;
        settings.steps = a->pointsCount;
        QVERIFY(MeasureSpectrum(OrbitSystem::Of(*a), settings).kaplanYorke >= 1.3);
    }
    QTest::mouseClick(hyperchaotic, Qt::LeftButton, {}, QPoint(4, hyperchaotic->height() / 2));
    QVERIFY(f.Gallery().Filter().hyperchaotic);
}

namespace {
// A field's empty part, right of its digits, is drawn red.
bool MarkedRed(QDoubleSpinBox& box)
{
    const QColor field = box.grab().toImage().pixelColor(box.width() * 3 / 5, box.height() / 2);
    return field.red() > 200 && field.green() < 220 && field.red() - field.blue() > 25;
}
} // namespace

void GalleryPanelTest::aReversedRangeIsMarkedAndNotSearched()
{
    GalleryFixture f;
    QDoubleSpinBox& low = f.Box("Lowest correlation dimension f");
    QDoubleSpinBox& high = f.Box("Highest correlation dimension f");
    QVERIFY(!MarkedRed(low));
    GalleryFixture::Type(low, "1.9");
    QVERIFY(!f.Gallery().Searching());
    QCoreApplication::processEvents();
    QCOMPARE(f.Grid().count(), 0);
    QVERIFY(MarkedRed(low) && MarkedRed(high));
    QCOMPARE(f.Gallery().Progress(), QString("f within is reversed: 1.90 > 1.80"));
    const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
    if (!folder.isEmpty())
        f.panel->grab().save(folder + "/gallery-reversed.png");

    // Mended, the page fills.
    GalleryFixture::Type(high, "2.0");
    QVERIFY(!MarkedRed(low) && !MarkedRed(high));
    QTRY_COMPARE_WITH_TIMEOUT(f.Grid().count(), CPanelGallery::PAGE_SIZE, FILL_TIMEOUT_MS);
}

void GalleryPanelTest::aPageSaysHowFarItIsAndWhenNothingMatches()
{
    GalleryFixture f;
    f.Gallery().SearchMore();
    // Finds reach the panel through its event queue, so none is on the page yet.
    QVERIFY2(f.Gallery().Progress().startsWith(QString("Searching case E\u2026 0 of 12 (")),
             qPrintable(f.Gallery().Progress()));
    QTRY_VERIFY_WITH_TIMEOUT(f.Gallery().Progress().startsWith("12 finds of case E after "), FILL_TIMEOUT_MS);

    // No exponent of case E is this large: the page gives up once finds stop coming. Patience is
    // cut only once tries are counted, so that a loaded machine's late workers cannot end the page
    // before its first try.
    GalleryFixture::Type(f.Box("Lowest Lyapunov exponent l"), "4.9");
    QVERIFY(f.Gallery().Searching());
    const QRegularExpression triesCounted("\\([1-9][0-9,.]* tries\\)$");
    QTRY_VERIFY_WITH_TIMEOUT(triesCounted.match(f.Gallery().Progress()).hasMatch(), FILL_TIMEOUT_MS);
    f.Gallery().SetPatience(std::chrono::milliseconds(300));
    QTRY_VERIFY_WITH_TIMEOUT(!f.Gallery().Searching(), FILL_TIMEOUT_MS);
    QTRY_VERIFY_WITH_TIMEOUT(f.Gallery().Progress().startsWith("No finds match these filters after "),
                             FILL_TIMEOUT_MS);
    const QString tries = f.Gallery().Progress().section(' ', 6, 6).remove(QRegularExpression("\\D"));
    QVERIFY2(tries.toULongLong() > 0, qPrintable(f.Gallery().Progress()));
    QCOMPARE(f.Grid().count(), 0);
}

QTEST_MAIN(GalleryPanelTest)
#include "GalleryPanelTest.moc"
