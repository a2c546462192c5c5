#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "DocumentAccess.h"
#include "FakeHost.h"
#include "GlSceneRenderer.h"
#include "ModalAnswerer.h"
#include "OrbitFixture.h"
#include "PictureImage.h"
#include "SoftwareRenderer.h"
#include "ViewTestTools.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QOpenGLFramebufferObject>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace zephyra;

namespace {

constexpr int VIEW_WIDTH = 240;
constexpr int VIEW_HEIGHT = 180;

bool IsColor(QRgb pixel, int r, int g, int b)
{
    return qRed(pixel) == r && qGreen(pixel) == g && qBlue(pixel) == b;
}

// Pixels of the picture that differ from the colour of its top-left corner (the background).
QVector<QPoint> LitPixels(const QImage& image)
{
    QVector<QPoint> lit;
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                lit.push_back({x, y});
    return lit;
}

// How many lit pixels of `a` have no lit pixel of `b` within one pixel.
int Unmatched(const QVector<QPoint>& a, const QImage& b)
{
    const QRgb background = b.pixel(0, 0);
    int unmatched = 0;
    for (const QPoint& p : a) {
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
            for (int dx = -1; dx <= 1 && !found; ++dx) {
                const QPoint q = p + QPoint(dx, dy);
                found = b.rect().contains(q) && b.pixel(q) != background;
            }
        unmatched += !found;
    }
    return unmatched;
}

// The share of the area's pixels that are not white.
double Ink(const QImage& image, const QRect& area)
{
    int inked = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            inked += (image.pixel(x, y) & 0xffffff) != 0xffffff;
    return static_cast<double>(inked) / (area.width() * area.height());
}

} // namespace

class ViewGlTest : public QObject, testing::ViewFixture {
    Q_OBJECT

    QImage Grab() { return view_->grabFramebuffer().convertToFormat(QImage::Format_RGB32); }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        Send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, keys);
    }
    void Release(QPoint at) { Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

private slots:
    // The OpenGL path, also on Mesa's software rasteriser.
    void init() { StartView(VIEW_WIDTH, VIEW_HEIGHT, 2); }
    void cleanup() { StopView(); }

    void drawsTheHenonAttractor()
    {
        Arrange(*doc_).settings.viewBox = Arrange(*doc_).settings.viewCross = true;
        const QImage image = Grab();
        testing::SaveScreenshot(image, "henon");
        QVERIFY(IsColor(image.pixel(0, 0), 255, 255, 255));
        QVERIFY(LitPixels(image).size() > 300);
        QCOMPARE(view_->LastDrawnPoints(), 20000 - 100);
    }

    void pictureFillsTheViewInDevicePixels()
    {
        // The cube's near face is larger than the view: its edges reach every quarter of the picture,
        // unless the viewport were given in logical pixels on a high-density screen.
        Arrange(*doc_).settings.viewBox = true;
        Arrange(*doc_).buffer.ready = false;
        const QImage image = Grab();
        QCOMPARE(image.size(), QSize(VIEW_WIDTH, VIEW_HEIGHT) * view_->devicePixelRatio());
        bool quarters[2][2] = {};
        for (const QPoint& p : LitPixels(image))
            quarters[p.x() * 2 / image.width()][p.y() * 2 / image.height()] = true;
        QVERIFY(quarters[0][0] && quarters[0][1] && quarters[1][0] && quarters[1][1]);
    }

    void softwareAndOpenGlLightTheSamePixels_data()
    {
        QTest::addColumn<float>("yaw");
        QTest::addColumn<float>("pitch");
        QTest::addColumn<float>("tx");
        QTest::newRow("front") << 0.0f << 0.0f << 0.0f;
        QTest::newRow("turned and shifted") << 35.0f << 20.0f << 0.3f;
    }
    void softwareAndOpenGlLightTheSamePixels()
    {
        QFETCH(float, yaw);
        QFETCH(float, pitch);
        QFETCH(float, tx);
        doc_->current()->yaw = yaw;
        doc_->current()->pitch = pitch;
        doc_->current()->tx = tx;
        Arrange(*doc_).settings.viewBlackWhite = true;
        const QImage gl = Grab();
        // The OpenGL viewport is one pixel larger than the window and reaches one row above its top.
        Picture soft(VIEW_WIDTH, VIEW_HEIGHT);
        PrintPoints(*doc_->current(), doc_->buffer(), {false, false, true, false}, doc_->defaults(), soft,
                    {0, -1, VIEW_WIDTH + 1, VIEW_HEIGHT});
        const QImage software = ToQImage(soft).convertToFormat(QImage::Format_RGB32);
        const QVector<QPoint> glLit = LitPixels(gl), softLit = LitPixels(software);
        QVERIFY(glLit.size() > 300);
        QCOMPARE(Unmatched(glLit, software), 0);
        QCOMPARE(Unmatched(softLit, gl), 0);
        QVERIFY(qAbs(glLit.size() - softLit.size()) < softLit.size() / 50);
    }

    void pointColoursMatchTheSoftwareRenderer()
    {
        DisplaySettings& d = doc_->current()->display;
        d.colorR = COORD_W;
        d.colorG = COORD_X;
        d.colorB = COORD_Z;
        d.fgColor = {1.0f, 0.8f, 0.6f};
        d.bgColor = {0.0f, 0.0f, 0.0f};
        testing::FillConstant(Arrange(*doc_).buffer, *doc_->current(), 101, {0.2f, -0.4f, 0.6f, -0.8f});
        const QImage gl = Grab();
        Picture soft(VIEW_WIDTH, VIEW_HEIGHT);
        PrintPoints(*doc_->current(), doc_->buffer(), {}, doc_->defaults(), soft,
                    {0, -1, VIEW_WIDTH + 1, VIEW_HEIGHT});
        const QVector<QPoint> lit = LitPixels(gl);
        QCOMPARE(lit.size(), 1);
        const std::uint8_t* expected = soft.Pixel(lit[0].x(), lit[0].y());
        const QRgb actual = gl.pixel(lit[0]);
        QVERIFY2(qAbs(qRed(actual) - expected[0]) <= 1 && qAbs(qGreen(actual) - expected[1]) <= 1 &&
                     qAbs(qBlue(actual) - expected[2]) <= 1,
                 qPrintable(QString("GL %1 %2 %3, software %4 %5 %6")
                                .arg(qRed(actual))
                                .arg(qGreen(actual))
                                .arg(qBlue(actual))
                                .arg(expected[0])
                                .arg(expected[1])
                                .arg(expected[2])));
    }

    void colourChoiceOneGivesExactlyTheForeground()
    {
        DisplaySettings& d = doc_->current()->display;
        d.colorR = d.colorG = d.colorB = COLOR_ONE;
        d.fgColor = {1.0f, 0.0f, 0.0f};
        d.bgColor = {0.0f, 0.0f, 1.0f};
        const QImage image = Grab();
        const QVector<QPoint> lit = LitPixels(image);
        QVERIFY(!lit.isEmpty());
        for (const QPoint& p : lit)
            QVERIFY(IsColor(image.pixel(p), 255, 0, 0));
    }

    void colourByWIsAGreyScale()
    {
        DisplaySettings& d = doc_->current()->display;
        d.colorR = d.colorG = d.colorB = COORD_W;
        d.bgColor = {0.0f, 0.0f, 0.0f};
        for (int i = 0; i < doc_->buffer().count; ++i)
            doc_->buffer().points[i][3] = (i % 3) * 0.5f - 0.5f;
        const QImage image = Grab();
        for (const QPoint& p : LitPixels(image)) {
            const QRgb c = image.pixel(p);
            QVERIFY(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
        }
    }

    void blackAndWhiteBeatsDefaultColours()
    {
        Arrange(*doc_).settings.defaults.defaults2D.bgColor = {0.0f, 0.5f, 0.0f};
        Arrange(*doc_).settings.viewDefaultColors = true;
        QVERIFY(IsColor(Grab().pixel(0, 0), 0, 127, 0) || IsColor(Grab().pixel(0, 0), 0, 128, 0));
        Arrange(*doc_).settings.viewBlackWhite = true;
        const QImage image = Grab();
        for (const QPoint& p : LitPixels(image))
            QVERIFY(IsColor(image.pixel(p), 0, 0, 0));
        QVERIFY(IsColor(image.pixel(0, 0), 255, 255, 255));
    }

    void bufferNotReadyDrawsTheBoxButNoPointsAndNoCross()
    {
        doc_->current()->display.bgColor = {0.5f, 0.5f, 0.5f};
        Arrange(*doc_).buffer.ready = false;
        Arrange(*doc_).settings.viewCross = true;
        QVERIFY(LitPixels(Grab()).isEmpty());
        Arrange(*doc_).settings.viewBox = true;
        const QImage image = Grab();
        const QVector<QPoint> lit = LitPixels(image);
        QVERIFY(lit.size() > 100);
        for (const QPoint& p : lit) // the box colour 0.65, nothing red, green or blue
            QVERIFY(qAbs(qRed(image.pixel(p)) - 166) <= 1 && qRed(image.pixel(p)) == qBlue(image.pixel(p)));
        QCOMPARE(view_->LastDrawnPoints(), 0);
    }

    void noCurrentAttractorPaintsPlainly()
    {
        Arrange(*doc_).current.Reset();
        QVERIFY(LitPixels(Grab()).isEmpty());
        Drag({10, 10}, {50, 50});
        Release({50, 50});
        QWheelEvent wheel({20, 20}, view_->mapToGlobal(QPoint(20, 20)), {}, {0, 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view_.get(), &wheel);
    }

    void dragRotatesAndDegradesWithinTheBuffer_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("adaptive");
        QTest::addColumn<int>("drawnWhileDragging");
        QTest::newRow("50 000 adaptive") << 50000 << true << 9900;
        QTest::newRow("5 000 adaptive") << 5000 << true << 4900;
        QTest::newRow("50 000 not adaptive") << 50000 << false << 49900;
    }
    void dragRotatesAndDegradesWithinTheBuffer()
    {
        QFETCH(int, points);
        QFETCH(bool, adaptive);
        QFETCH(int, drawnWhileDragging);
        Show(testing::HENON_CODE, points);
        Arrange(*doc_).settings.viewAdaptive = adaptive;
        Drag({100, 100}, {110, 105});
        QVERIFY(view_->Dragging());
        QCOMPARE(doc_->current()->yaw, 4.0f);
        QCOMPARE(doc_->current()->pitch, 2.0f);
        Grab();
        QCOMPARE(view_->LastDrawnPoints(), drawnWhileDragging);
        Release({110, 105});
        QVERIFY(!view_->Dragging());
        Grab();
        QCOMPARE(view_->LastDrawnPoints(), points - 100);
    }

    void modifiersPanAndZoom()
    {
        Drag({100, 100}, {140, 80}, Qt::ShiftModifier);
        Release({140, 80});
        QCOMPARE(doc_->current()->tx, 0.2f);
        QCOMPARE(doc_->current()->ty, 0.1f);
        Drag({100, 100}, {100, 5100}, Qt::ControlModifier | Qt::ShiftModifier);
        Release({100, 5100});
        QCOMPARE(doc_->current()->zoom, 10.0f);
        QCOMPARE(doc_->current()->tx, 0.2f);
        QWheelEvent wheel({20, 20}, view_->mapToGlobal(QPoint(20, 20)), {}, {0, 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view_.get(), &wheel);
        QCOMPARE(doc_->current()->zoom, 8.0f);
        // Moves without the button change nothing.
        Send(QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(doc_->current()->yaw, 0.0f);
    }

    void buttonUpRepaintsAndRightButtonAsksForTheMenu()
    {
        QTRY_VERIFY(view_->PaintCount() > 0);
        const int before = view_->PaintCount();
        Release({30, 30}); // no drag in progress
        QTRY_VERIFY(view_->PaintCount() > before);
        QSignalSpy menu(view_.get(), &CZephyraView::contextMenuRequested);
        Send(QEvent::MouseButtonPress, {30, 40}, Qt::RightButton, Qt::RightButton);
        Send(QEvent::MouseButtonRelease, {30, 40}, Qt::RightButton, Qt::NoButton);
        QCOMPARE(menu.count(), 1);
        QCOMPARE(menu.at(0).at(0).toPoint(), view_->mapToGlobal(QPoint(30, 40)));
    }

    void antialiasingRunsFourOrEightPassesAndLastsOnePaint_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("passes");
        QTest::newRow("2x2") << 0 << 4;
        QTest::newRow("4x4") << 1 << 8;
        QTest::newRow("hand-edited 7") << 7 << 8;
    }
    void antialiasingRunsFourOrEightPassesAndLastsOnePaint()
    {
        QFETCH(int, setting);
        QFETCH(int, passes);
        Arrange(*doc_).settings.antialias = setting;
        Arrange(*doc_).settings.viewBlackWhite = true;
        const QImage plain = Grab();
        QVERIFY(view_->OnCommand(190));
        QCOMPARE(view_->LastAntialiasPasses(), passes);
        const QImage smooth = Grab();
        testing::SaveScreenshot(smooth, "henon-antialiased");
        QVERIFY(testing::GreyPixels(smooth) > 100);
        QVERIFY(smooth != plain);
        view_->OnUpdate(UH_REDRAW);
        QCOMPARE(Grab(), plain);
    }

    void pointsAreUploadedOncePerPointSet()
    {
        Grab();
        QCOMPARE(view_->Uploads(), 1);
        Arrange(*doc_).settings.viewBox = true;
        Arrange(*doc_).settings.viewBlackWhite = true;
        doc_->current()->yaw = 30.0f;
        doc_->current()->display.coordX = COORD_Y;
        Drag({10, 10}, {20, 20});
        Grab();
        Release({20, 20});
        Grab();
        QCOMPARE(view_->Uploads(), 1);
        // The same allocation refilled with another orbit is a new point set.
        doc_->current()->display.x0 = 0.1f;
        const Point* before = doc_->buffer().points.get();
        auto refill = Attractor::CreateFromCode(testing::HENON_CODE, doc_->defaults());
        refill->display.x0 = 0.1f;
        PointBuffer other;
        testing::FillOrbit(other, *refill, doc_->buffer().count);
        std::copy(other.points.get(), other.points.get() + other.count, doc_->buffer().points.get());
        QCOMPARE(doc_->buffer().points.get(), before);
        Grab();
        QCOMPARE(view_->Uploads(), 2);
    }

    // Unmended, an int of bytes wrapped from 134 217 728 points on and the view drew stale points.
    void largePointSetsGetTheirWholeUploadSize()
    {
        QCOMPARE(GlSceneRenderer::PointBytes(134217728), GLsizeiptr{2147483648});
        QCOMPARE(GlSceneRenderer::PointBytes(INT32_MAX), GLsizeiptr{INT32_MAX} * 16);
    }

    // Unmended, one vertex buffer took the whole set, and a set of 2^31 bytes or more crashed the
    // driver. Chunks of a few points draw what one buffer draws.
    void largeSetsAreUploadedAndDrawnInChunks()
    {
        QVERIFY(GlSceneRenderer::PointBytes(GlSceneRenderer::CHUNK_POINTS) < GLsizeiptr{1} << 31);
        view_->makeCurrent();
        QOpenGLFramebufferObject target(VIEW_WIDTH, VIEW_HEIGHT, QOpenGLFramebufferObject::Depth);
        target.bind();
        SceneInput scene;
        scene.attractor = doc_->current().get();
        scene.buffer = &doc_->buffer();
        scene.defaults = &doc_->defaults();
        auto draw = [&](int chunkPoints, int& drawn) {
            GlSceneRenderer renderer(chunkPoints);
            renderer.Draw(scene, {VIEW_WIDTH, VIEW_HEIGHT});
            drawn = renderer.LastDrawnPoints();
            renderer.Release();
            return target.toImage();
        };
        int drawnWhole = 0, drawnInChunks = 0;
        const QImage whole = draw(GlSceneRenderer::CHUNK_POINTS, drawnWhole);
        const QImage chunked = draw(777, drawnInChunks);
        target.release();
        view_->doneCurrent();
        QVERIFY(LitPixels(whole).size() > 300);
        QCOMPARE(drawnInChunks, drawnWhole);
        QCOMPARE(chunked, whole);
    }

    void viewsKeepTheirOwnResourcesAcrossContextChanges()
    {
        CZephyraView second(*doc_);
        second.resize(100, 80);
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        const QImage before = Grab();
        QVERIFY(!LitPixels(second.grabFramebuffer()).isEmpty());
        // Re-parenting replaces the widget's context; the view frees its objects and builds new ones.
        // The window owns the view meanwhile, so a failed check cannot leave it deleted twice.
        QMainWindow window;
        CZephyraView* view = view_.release();
        window.setCentralWidget(view);
        window.resize(VIEW_WIDTH, VIEW_HEIGHT);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(LitPixels(view->grabFramebuffer()).size() > 300);
        view->setParent(nullptr);
        view_.reset(view);
        view_->resize(VIEW_WIDTH, VIEW_HEIGHT);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
        QCOMPARE(Grab(), before);
        QVERIFY(!LitPixels(second.grabFramebuffer()).isEmpty());
    }

    void printPreviewShowsTheAttractorInColour()
    {
        QImage shot;
        const testing::ModalAnswerer answerer([&shot](QWidget* window) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(window)) {
                preview->resize(700, 800);
                shot = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
                preview->reject();
            }
        });
        QVERIFY(view_->OnCommand(57609));
        QVERIFY(!shot.isNull());
        testing::SaveScreenshot(shot, "print-preview");
        int coloured = 0; // the dialog itself is grey and white; the attractor is green to brown
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c(shot.pixel(x, y));
                coloured += c.saturation() > 100 && c.value() > 60;
            }
        QVERIFY(coloured > 50);
    }

    // At the printer's own resolution each point was one dot: a page 99.99 % white.
    void aPrintedPageHasAboutTheInkOfTheView()
    {
        view_->resize(720, 540);
        const QImage screen = Grab();
        const double onScreen = Ink(screen, screen.rect());
        constexpr int DOTS_PER_INCH = 300;
        const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
        QImage page(a4.paintRectPixels(DOTS_PER_INCH).size(), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        view_->PaintPage(painter, page.size(), DOTS_PER_INCH);
        painter.end();
        testing::SaveScreenshot(page, "printed-page");
        // The picture takes the page's width and the view's proportions.
        const QRect picture(0, 0, page.width(), page.width() * 540 / 720);
        const double onPaper = Ink(page, picture);
        QVERIFY2(onPaper > onScreen / 2 && onPaper < onScreen * 2,
                 qPrintable(QString("paper %1, screen %2").arg(onPaper).arg(onScreen)));
    }

    void printsTheAttractorToAFile()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("page.pdf"));
        view_->PrintTo(printer);
        QVERIFY(QFileInfo(dir.filePath("page.pdf")).size() > 1000);
    }
};

QTEST_MAIN(ViewGlTest)
#include "ViewGlTest.moc"
