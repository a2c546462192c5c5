// The point view's CPU path against its OpenGL path, and the 4D turn by hand.
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "DocumentAccess.h"
#include "FakeHost.h"
#include "OrbitFixture.h"
#include "PictureImage.h"
#include "ViewTestTools.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zephyra;

namespace {

constexpr int VIEW_WIDTH = 320;
constexpr int VIEW_HEIGHT = 240;
constexpr const char* CODE_3D = "IHMHJWVYQWVGPHXKMEXYSPECYTMPVVA";
constexpr const char* CODE_4D = "MSDHINLFSMYOGVGMNWACSGFRJPKWDBORKLHRGNROEJNJOGLLIDFAUTNNOIGYS";
constexpr int USE_CPU = 1;
constexpr int USE_GL = 2;

QSet<QPair<int, int>> LitPixels(const QImage& image)
{
    QSet<QPair<int, int>> lit;
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                lit.insert({x, y});
    return lit;
}

// The share of the lit pixels of both pictures that both light.
double SharedShare(const QImage& a, const QImage& b)
{
    const QSet<QPair<int, int>> litA = LitPixels(a), litB = LitPixels(b);
    const auto shared = static_cast<double>(QSet<QPair<int, int>>(litA).intersect(litB).size());
    return shared / static_cast<double>(std::max(litA.size(), litB.size()));
}

} // namespace

class ViewCpuTest : public QObject, testing::ViewFixture {
    Q_OBJECT

    QImage Grab(int where)
    {
        Arrange(*doc_).settings.pointsOnCpu = where;
        view_->OnUpdate(0);
        return view_->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    }
    void Drag(Qt::MouseButton button, QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonPress, from, button, button, keys);
        Send(QEvent::MouseMove, to, Qt::NoButton, button, keys);
        Send(QEvent::MouseButtonRelease, to, button, Qt::NoButton, keys);
    }

private slots:
    void init() { StartView(VIEW_WIDTH, VIEW_HEIGHT, USE_GL); }
    void cleanup() { StopView(); }

    // Density pictures reach the window in every depth, with and without alpha.
    void picturesOfEveryDepthAndAlphaShowTheirColours()
    {
        for (const int depth : {8, 16})
            for (const int channels : {3, 4}) {
                Picture picture(1, 2, depth, channels);
                const float first[] = {0.25f, 0.5f, 0.75f, 0.5f};
                for (int c = 0; c < channels; ++c) {
                    picture.SetSample(0, 0, c, first[c]);
                    picture.SetSample(0, 1, c, 1.0f);
                }
                const QImage image = ToQImage(picture);
                const QColor a = image.pixelColor(0, 0), b = image.pixelColor(0, 1);
                const QString row = QString("%1 bits, %2 channels").arg(depth).arg(channels);
                QVERIFY2(qRound(a.redF() * 255) == 64 && qRound(a.greenF() * 255) == 128 &&
                             qRound(a.blueF() * 255) == 191,
                         qPrintable(row));
                QVERIFY2(qRound(a.alphaF() * 255) == (channels == 4 ? 128 : 255), qPrintable(row));
                QVERIFY2(b == QColor(255, 255, 255), qPrintable(row));
            }
    }

    void cpuAndGlLightTheSamePixelsInTheSameColours_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<float>("yaw");
        QTest::addColumn<float>("xw");
        QTest::addColumn<bool>("blackWhite");
        QTest::newRow("2D") << testing::HENON_CODE << 0.0f << 0.0f << false;
        QTest::newRow("3D turned") << CODE_3D << 35.0f << 0.0f << false;
        QTest::newRow("3D black and white") << CODE_3D << -70.0f << 0.0f << true;
        QTest::newRow("4D turned through w") << CODE_4D << 20.0f << 40.0f << false;
    }
    void cpuAndGlLightTheSamePixelsInTheSameColours()
    {
        QFETCH(QString, code);
        QFETCH(float, yaw);
        QFETCH(float, xw);
        QFETCH(bool, blackWhite);
        Show(code.toLatin1().constData(), 100000);
        doc_->current()->yaw = yaw;
        doc_->current()->pitch = 25.0f;
        doc_->current()->xw = xw;
        Arrange(*doc_).settings.viewBlackWhite = blackWhite;
        const QImage gl = Grab(USE_GL), cpu = Grab(USE_CPU);
        QVERIFY(view_->PointsOnCpu());
        testing::SaveScreenshot(cpu, "cpu-" + QString(QTest::currentDataTag()).replace(' ', '-'));
        QVERIFY(LitPixels(gl).size() > 1000);
        QVERIFY2(SharedShare(gl, cpu) >= 0.99, qPrintable(QString::number(SharedShare(gl, cpu))));
        int sameColour = 0, shared = 0;
        QSet<QPair<int, int>> both = LitPixels(gl);
        both.intersect(LitPixels(cpu));
        for (const auto& [x, y] : both) {
            const QRgb a = gl.pixel(x, y), b = cpu.pixel(x, y);
            ++shared;
            sameColour += qAbs(qRed(a) - qRed(b)) <= 1 && qAbs(qGreen(a) - qGreen(b)) <= 1 &&
                          qAbs(qBlue(a) - qBlue(b)) <= 1;
        }
        QVERIFY2(sameColour >= shared * 99 / 100,
                 qPrintable(QString("%1 of %2").arg(sameColour).arg(shared)));
        QCOMPARE(gl.pixel(0, 0), cpu.pixel(0, 0));
    }

    void aQuarterTurnInXwSwapsXAndW()
    {
        // Turned by 90 degrees in the plane xw, x takes the place of w and -w that of x; the
        // picture equals the unturned one of points so swapped.
        Show(CODE_4D, 50000);
        Arrange(*doc_).settings.viewBlackWhite = true;
        doc_->current()->display.coordX = COORD_X;
        doc_->current()->display.coordY = COORD_Y;
        doc_->current()->display.coordZ = COORD_W;
        doc_->current()->yaw = 30.0f;
        doc_->current()->xw = 90.0f;
        const QImage turnedGl = Grab(USE_GL), turnedCpu = Grab(USE_CPU);
        doc_->current()->xw = 0.0f;
        QVERIFY(SharedShare(Grab(USE_GL), turnedGl) < 0.5);
        for (int i = 0; i < doc_->buffer().count; ++i) {
            Point& p = doc_->buffer().points[i];
            p = {-p[3], p[1], p[2], p[0]};
        }
        const QImage swapped = Grab(USE_GL);
        QVERIFY(SharedShare(swapped, turnedGl) >= 0.99);
        QVERIFY(SharedShare(swapped, turnedCpu) >= 0.99);
    }

    void middleDragTurnsOnlyFourDimensionalCases()
    {
        Drag(Qt::MiddleButton, {100, 100}, {150, 80}); // the Henon map ignores it
        QCOMPARE(doc_->current()->xw, 0.0f);
        QCOMPARE(doc_->current()->yaw, 0.0f);
        QVERIFY(!view_->Dragging());

        Show(CODE_4D, 20000);
        host_->hints.clear();
        Drag(Qt::MiddleButton, {100, 100}, {150, 80});
        QCOMPARE(doc_->current()->xw, 20.0f);
        QCOMPARE(doc_->current()->yw, -8.0f);
        QCOMPARE(doc_->current()->zw, 0.0f);
        Drag(Qt::MiddleButton, {100, 100}, {75, 180}, Qt::ControlModifier);
        QCOMPARE(doc_->current()->zw, -10.0f);
        QCOMPARE(doc_->current()->xw, 20.0f);
        // Each move of the camera is announced.
        QCOMPARE(host_->hints, (std::vector<int>{UH_CAMERA_MOVED, UH_CAMERA_MOVED}));
        // Angles stay within a half turn either way.
        Drag(Qt::MiddleButton, {0, 0}, {450, 0});
        QCOMPARE(doc_->current()->xw, -160.0f);
        // The left button keeps its meaning for 4D cases.
        Drag(Qt::LeftButton, {100, 100}, {110, 105});
        QCOMPARE(doc_->current()->yaw, 4.0f);
        QCOMPARE(doc_->current()->pitch, 2.0f);
        QCOMPARE(doc_->current()->xw, -160.0f);
        QCOMPARE(doc_->current()->yw, -8.0f);
        // A left drag ended by the middle button goes on until the left is let go.
        Send(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
        Send(QEvent::MouseButtonPress, {0, 0}, Qt::MiddleButton, Qt::LeftButton | Qt::MiddleButton);
        Send(QEvent::MouseButtonRelease, {0, 0}, Qt::MiddleButton, Qt::LeftButton);
        QVERIFY(view_->Dragging());
        Send(QEvent::MouseMove, {10, 0}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(doc_->current()->yaw, 8.0f);
        QCOMPARE(doc_->current()->xw, -160.0f);
        Send(QEvent::MouseButtonRelease, {10, 0}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!view_->Dragging());
    }

    void aMiddleDragFoldsThePictureAndDraggingBackUnfoldsIt()
    {
        Show(CODE_4D, 200000);
        doc_->current()->yaw = 30.0f;
        doc_->current()->pitch = 20.0f;
        Arrange(*doc_).settings.pointsOnCpu = USE_CPU;
        const QImage start = Grab(USE_CPU);
        QImage previous = start;
        Send(QEvent::MouseButtonPress, {0, 100}, Qt::MiddleButton, Qt::MiddleButton);
        for (int step = 1; step <= 6; ++step) {
            Send(QEvent::MouseMove, {25 * step, 100}, Qt::NoButton, Qt::MiddleButton);
            const QImage frame = view_->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
            testing::SaveScreenshot(frame, QString("turn-xw-%1").arg(10 * step));
            QVERIFY(SharedShare(frame, previous) < 0.9);
            previous = frame;
        }
        for (int step = 5; step >= 0; --step)
            Send(QEvent::MouseMove, {25 * step, 100}, Qt::NoButton, Qt::MiddleButton);
        Send(QEvent::MouseButtonRelease, {0, 100}, Qt::MiddleButton, Qt::NoButton);
        QCOMPARE(doc_->current()->xw, 0.0f);
        QCOMPARE(view_->grabFramebuffer().convertToFormat(QImage::Format_RGB32), start);
    }

    void aPausedDragDrawsEveryPointOnTheCpu()
    {
        Arrange(*doc_).settings.pointsOnCpu = USE_CPU;
        Arrange(*doc_).settings.viewAdaptive = true;
        Show(testing::HENON_CODE, 50000);
        Send(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
        Send(QEvent::MouseMove, {110, 100}, Qt::NoButton, Qt::LeftButton);
        view_->grabFramebuffer();
        QCOMPARE(view_->LastDrawnPoints(), 9900);
        QTRY_COMPARE(view_->LastDrawnPoints(), 49900);
        QVERIFY(view_->Dragging());
        Send(QEvent::MouseMove, {120, 100}, Qt::NoButton, Qt::LeftButton);
        view_->grabFramebuffer();
        QCOMPARE(view_->LastDrawnPoints(), 9900);
        Send(QEvent::MouseButtonRelease, {120, 100}, Qt::LeftButton, Qt::NoButton);
    }

    void cpuAntialiasingSupersamplesUntilThePictureChanges()
    {
        Arrange(*doc_).settings.viewBlackWhite = true;
        const QImage plain = Grab(USE_CPU);
        QVERIFY(view_->OnCommand(190));
        QCOMPARE(view_->LastAntialiasPasses(), 4);
        const QImage smooth = view_->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        testing::SaveScreenshot(smooth, "cpu-antialiased");
        QVERIFY(testing::GreyPixels(smooth) > 100);
        QCOMPARE(view_->grabFramebuffer().convertToFormat(QImage::Format_RGB32), smooth);
        QCOMPARE(Grab(USE_CPU), plain);
    }

    void boxAndCrossGoOverTheCpuPicture()
    {
        Arrange(*doc_).buffer.ready = false;
        Arrange(*doc_).settings.viewBox = true;
        const QImage gl = Grab(USE_GL), cpu = Grab(USE_CPU);
        QVERIFY(LitPixels(cpu).size() > 100);
        QCOMPARE(cpu, gl);
        Arrange(*doc_).buffer.ready = true;
        Arrange(*doc_).settings.viewCross = true;
        Arrange(*doc_).settings.viewBlackWhite = true;
        const QImage both = Grab(USE_CPU);
        testing::SaveScreenshot(both, "cpu-box-cross");
        int red = 0;
        for (const auto& [x, y] : LitPixels(both))
            red += both.pixel(x, y) == qRgb(255, 0, 0);
        QVERIFY(red > 5);
    }

    void softwareRenderersAreRecognised()
    {
        QVERIFY(IsSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
        QVERIFY(IsSoftwareRenderer("Gallium 0.4 on softpipe"));
        QVERIFY(!IsSoftwareRenderer("NVIDIA GeForce RTX 3060/PCIe/SSE2"));
        // Under Xvfb the view finds Mesa's rasteriser and draws on the CPU unless told otherwise.
        Arrange(*doc_).settings.pointsOnCpu = 0;
        QVERIFY(view_->PointsOnCpu());
        Arrange(*doc_).settings.pointsOnCpu = USE_GL;
        QVERIFY(!view_->PointsOnCpu());
    }
};

QTEST_MAIN(ViewCpuTest)
#include "ViewCpuTest.moc"
