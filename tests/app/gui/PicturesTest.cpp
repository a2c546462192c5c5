// The window's pictures: the Export Picture dialog and its remembered choices, exports on a
// worker (written with the attractor's record, cancelled without a file), pictures that open,
// the Density view and Copy Picture.
#include "ExplorerHarness.h"

#include "CZephyraView.h"
#include "CommandIds.h"
#include "DensityViewWorker.h"
#include "ExportJob.h"
#include "ExportPictureDialog.h"
#include "FileNames.h"
#include "PictureCommands.h"
#include "PictureRecord.h"
#include "StatusPanes.h"
#include "StoredChoices.h"
#include "Subcommand.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>

#include <filesystem>
#include <set>
#include <sstream>
#include <utility>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

QString PictureFolder()
{
    const QString folder = SandboxFolder().filePath("pictures");
    QDir().mkpath(folder);
    return folder;
}

// Choices as a small, quick picture: 320 x 200 from 10 million points.
// Every strip of a memory-fitted export runs the whole orbit of 10 million points again: slow in
// the sanitizer build.
constexpr int STRIPS_TIMEOUT_MS = 180000;

void RememberSmallPictures()
{
    QSettings s = StoredChoices();
    s.beginGroup("ExportPicture");
    s.setValue("size", 6);
    s.setValue("width", 320);
    s.setValue("height", 200);
    s.setValue("points", "10000000");
    s.setValue("supersample", "1");
}

// Answers the Export Picture dialog: the file name, then Enter, as a user would.
void AnswerExportDialog(const QString& path, int points = -1)
{
    QTimer::singleShot(0, [path, points] {
        auto* dialog = qobject_cast<ExportPictureDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* file = qobject_cast<QLineEdit*>(dialog->focusWidget());
        QVERIFY(file);
        if (points >= 0)
            dialog->findChildren<QComboBox*>()[1]->setCurrentIndex(points);
        file->setText(path);
        QTest::keyClick(file, Qt::Key_Return);
    });
}

// The pixels of a picture file; empty when it cannot be read.
std::vector<std::uint8_t> PixelsOf(const QString& path)
{
    const std::optional<DecodedPng> png = ReadPng(path.toStdString(), true);
    std::vector<std::uint8_t> pixels;
    if (png)
        for (int y = 0; y < png->picture.Height(); ++y)
            pixels.insert(pixels.end(), png->picture.Row(y), png->picture.Row(y) + png->picture.RowBytes());
    return pixels;
}

int Zephyra(const QStringList& arguments)
{
    std::vector<std::string> words;
    for (const QString& a : arguments)
        words.push_back(a.toStdString());
    std::ostringstream out, errors;
    cli::CommandIo io{out, errors};
    return cli::RunCommandLine(words, io);
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files);
}

} // namespace

class PicturesTest : public ExplorerTest {
    Q_OBJECT

    void BeforeStart() override
    {
        StoredChoices().remove("ExportPicture");
        QDir(PictureFolder()).removeRecursively();
    }

private slots:
    void dialogDefaultsAndRememberedChoices()
    {
        ExportPictureDialog first(QSize(1200, 800), {}, "EWM?MPMMWMMMM");
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QVERIFY(qobject_cast<QLineEdit*>(first.focusWidget()));
        QCOMPARE(QFileInfo(first.FilePath()).fileName(), QString("EWM_MPMMWMMMM.png"));
        PictureSettings s = first.Settings();
        QCOMPARE(std::make_pair(s.options.width, s.options.height), std::make_pair(1200, 800));
        QCOMPARE(s.options.points, std::uint64_t{100'000'000});
        QCOMPARE(s.options.supersample, 2);
        QVERIFY(s.options.tone == ToneMap::Log && s.options.palette == Palette::Coordinates);
        QVERIFY(!s.options.background);
        QCOMPARE(s.options.depth, 8);
        QVERIFY(!s.options.fit);
        QCOMPARE(s.dotsPerInch, 0);
        QVERIFY(!s.options.transparent);

        QCheckBox* fit = nullptr;
        for (QCheckBox* box : first.findChildren<QCheckBox*>())
            if (box->text() == "F&it the attractor in the frame")
                fit = box;
        QVERIFY(fit);
        QVERIFY(fit->isVisible());
        QTest::mouseClick(fit, Qt::LeftButton, {}, QPoint(8, fit->height() / 2)); // on its box
        QVERIFY(fit->isChecked());
        QVERIFY(first.Settings().options.fit);
        const QList<QComboBox*> boxes = first.findChildren<QComboBox*>();
        boxes[0]->setCurrentIndex(4); // A4 300 dpi
        boxes[2]->setCurrentIndex(2); // gamma
        boxes[3]->setCurrentIndex(2); // magma
        QCOMPARE(boxes[4]->itemText(4), QString("Transparent"));
        boxes[4]->setCurrentIndex(4);
        boxes[5]->setCurrentIndex(1); // 16 bits
        first.findChild<QLineEdit*>()->setText(PictureFolder() + "/a.png");
        first.accept();

        const ExportPictureDialog second(QSize(640, 480), {}, "LABC");
        s = second.Settings();
        QCOMPARE(std::make_pair(s.options.width, s.options.height), std::make_pair(3508, 2480));
        QVERIFY(s.options.tone == ToneMap::Gamma && s.options.palette == Palette::Magma);
        QCOMPARE(s.options.depth, 16);
        QVERIFY(s.options.fit);
        QCOMPARE(s.dotsPerInch, 300); // a print preset states its resolution
        QVERIFY(s.options.transparent);
        QCOMPARE(second.FilePath(), QDir(PictureFolder()).filePath("LABC.png"));
    }

    // Unmended, the dialog closed, the render ran to its end and then failed, and the next
    // Ctrl+E proposed the folder that had failed.
    void exportRefusesATargetItCannotWriteBeforeRendering()
    {
        RememberSmallPictures();
        StoredChoices().setValue("ExportPicture/folder", PictureFolder());
        const QString folderNamed = PictureFolder() + "/taken.png";
        QVERIFY(QDir().mkpath(folderNamed));
        const QString missing = SandboxFolder().filePath("missing");
        const std::pair<QString, QString> cases[] = {
            {missing + "/x.png", missing + ": no such folder"},
            {folderNamed, folderNamed + ": a folder, not a regular file"},
            {" ", "Enter the name of the picture file."}};
        for (const auto& [path, reason] : cases) {
            bool open = false, focused = false;
            QString shown;
            QTimer::singleShot(0, [&, path = path] {
                auto* dialog = qobject_cast<ExportPictureDialog*>(QApplication::activeModalWidget());
                auto* file = dialog ? qobject_cast<QLineEdit*>(dialog->focusWidget()) : nullptr;
                if (!file)
                    return;
                file->setText(path);
                QTest::keyClick(file, Qt::Key_Return);
                open = dialog->isVisible();
                focused = dialog->focusWidget() == file;
                const auto* problem = dialog->findChild<QLabel*>("problem");
                shown = problem && problem->isVisible() ? problem->text() : QString();
                QTest::keyClick(file, Qt::Key_Escape);
            });
            QTest::keyClick(&explorer->Frame(), Qt::Key_E, Qt::ControlModifier);
            QVERIFY2(open && focused, qPrintable(path));
            QCOMPARE(shown, reason);
            QVERIFY(!explorer->Framework().Pictures().Export());

            QString proposed;
            QTimer::singleShot(0, [&] {
                if (auto* dialog = qobject_cast<ExportPictureDialog*>(QApplication::activeModalWidget())) {
                    proposed = dialog->FilePath();
                    dialog->reject();
                }
            });
            QTest::keyClick(&explorer->Frame(), Qt::Key_E, Qt::ControlModifier);
            QCOMPARE(QFileInfo(proposed).absolutePath(), PictureFolder());
        }
        QCOMPARE(FilesIn(PictureFolder()), QStringList{});
    }

    void exportWritesThePictureOfTheCurrentAttractor()
    {
        RememberSmallPictures();
        CZephyraDoc& doc = explorer->Doc();
        doc.current()->yaw = 30.0f;
        const QString path = PictureFolder() + "/export.png";
        AnswerExportDialog(path);
        QTest::keyClick(&explorer->Frame(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(explorer->Framework().Pictures().Export());
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Picture written: " + path, 30000);
        QVERIFY(!explorer->Framework().Pictures().Export());
        const auto stored = ReadPictureRecord(path.toStdString(), doc.defaults);
        QVERIFY(stored && stored->attractor);
        QCOMPARE(stored->attractor->code, doc.current()->code);
        QCOMPARE(stored->attractor->yaw, 30.0f);
        QCOMPARE(FilesIn(PictureFolder()), QStringList{"export.png"});
    }

    void renderWithA4DTurnEqualsExportPicture()
    {
        RememberSmallPictures();
        CZephyraDoc& doc = explorer->Doc();
        doc.SetAttractor(Attractor::CreateFromCode(
                             "MSDHINLFSMYOGVGMNWACSGFRJPKWDBORKLHRGNROEJNJOGLLIDFAUTNNOIGYS", doc.defaults),
                         SA_NO_SEARCH);
        doc.current()->xw = 30.0f;
        const QString exported = PictureFolder() + "/exported.png";
        AnswerExportDialog(exported);
        explorer->Frame().SendCommand(cmd::ID_EXPORT_PICTURE);
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Picture written: " + exported, 60000);
        // The command line takes the record and settings of a picture and its own angle.
        const QString unturned = PictureFolder() + "/unturned.png", turned = PictureFolder() + "/turned.png";
        QCOMPARE(Zephyra({"render", "--from", exported, "--xw", "0", "-o", unturned, "-q"}), 0);
        QCOMPARE(Zephyra({"render", "--from", unturned, "--xw", "30", "-o", turned, "-q"}), 0);
        const std::vector<std::uint8_t> pixels = PixelsOf(exported);
        QVERIFY(!pixels.empty());
        QVERIFY(PixelsOf(unturned) != pixels);
        QVERIFY(PixelsOf(turned) == pixels);
    }

    // Unmended, pane 0 still said "Picture written" of the export before the cancelled one.
    void cancelLeavesNoFile()
    {
        RememberSmallPictures();
        const QString earlier = PictureFolder() + "/earlier.png";
        AnswerExportDialog(earlier);
        explorer->Frame().SendCommand(cmd::ID_EXPORT_PICTURE);
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Picture written: " + earlier, 30000);
        AnswerExportDialog(PictureFolder() + "/cancelled.png", 6); // 10 billion points
        explorer->Frame().SendCommand(cmd::ID_EXPORT_PICTURE);
        QPointer<ExportJob> job = explorer->Framework().Pictures().Export();
        QVERIFY(job);
        QProgressDialog* progress = explorer->Frame().findChild<QProgressDialog*>();
        QVERIFY(progress);
        QVERIFY(QSignalSpy(job.data(), &ExportJob::progressed).wait(10000));
        progress->findChild<QPushButton*>()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!job, 5000);
        QCOMPARE(FilesIn(PictureFolder()), QStringList{"earlier.png"});
        QCOMPARE(explorer->Frame().Panes().Text(0), QString("Picture not written: canceled"));
    }

    void aFailedWriteIsReportedWithTheFile()
    {
        RememberSmallPictures();
        const QString folder = PictureFolder() + "/missing folder", path = folder + "/x.png";
        QVERIFY(QDir().mkpath(folder));
        BoxAnswerer answerer(QMessageBox::Ok);
        // The folder goes once the dialog has checked it, before the picture is written.
        QTimer::singleShot(0, [path, folder] {
            auto* dialog = QApplication::activeModalWidget();
            if (auto* file = dialog ? qobject_cast<QLineEdit*>(dialog->focusWidget()) : nullptr) {
                file->setText(path);
                QTest::keyClick(file, Qt::Key_Return);
            }
            QDir(folder).removeRecursively();
        });
        explorer->Frame().SendCommand(cmd::ID_EXPORT_PICTURE);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.Count(), 1, 30000);
        QVERIFY(answerer.Text().contains(path));
        QVERIFY(answerer.Text().contains("No such file"));
    }

    // Short of memory the window strips or refuses as the command line does: a refusal in the
    // failure box with the file and the reason, and no file; narrower strips, the same picture.
    void anExportIsFittedToTheMemoryLeft()
    {
        RememberSmallPictures();
        CZephyraDoc& doc = explorer->Doc();
        const QString whole = PictureFolder() + "/whole.png";
        AnswerExportDialog(whole);
        explorer->Frame().SendCommand(cmd::ID_EXPORT_PICTURE);
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Picture written: " + whole,
                                  STRIPS_TIMEOUT_MS);

        doc.availableMemory = [] { return std::uint64_t{1} << 20; };
        const QString refused = PictureFolder() + "/refused.png";
        {
            BoxAnswerer answerer(QMessageBox::Ok);
            AnswerExportDialog(refused);
            explorer->Frame().SendCommand(cmd::ID_EXPORT_PICTURE);
            QTRY_COMPARE_WITH_TIMEOUT(answerer.Count(), 1, STRIPS_TIMEOUT_MS);
            QVERIFY(answerer.Text().contains(refused));
            QVERIFY2(answerer.Text().contains(
                         "not enough memory for a 320x200 density picture: it needs at least"),
                     qPrintable(answerer.Text()));
        }
        QCOMPARE(explorer->Frame().Panes().Text(0), QString("Picture not written"));

        // A mebibyte goes to the encoder: what is left holds a few dozen rows of the 200 at a time.
        doc.availableMemory = [] { return std::uint64_t{5} << 18; };
        const QString strips = PictureFolder() + "/strips.png";
        AnswerExportDialog(strips);
        explorer->Frame().SendCommand(cmd::ID_EXPORT_PICTURE);
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Picture written: " + strips,
                                  STRIPS_TIMEOUT_MS);
        QCOMPARE(FilesIn(PictureFolder()), (QStringList{"strips.png", "whole.png"}));
        QVERIFY(PixelsOf(strips) == PixelsOf(whole));
    }

    void anExportedPictureOpensWithItsCamera()
    {
        CZephyraDoc& doc = explorer->Doc();
        const AttractorRef shown = Attractor::CreateFromCode("FIRCDERRPVLUFVLIJLBQM", doc.defaults);
        shown->yaw = 77.0f;
        shown->pitch = -12.0f;
        PictureSettings settings;
        const QString path = PictureFolder() + "/shown.png";
        QVERIFY(WritePngFile(path.toStdString(),
                             EncodePng(zephyra::Picture(8, 8, 8), PictureTexts(*shown, settings)))
                    .empty());
        const int historyBefore = doc.history().Count();
        const QString title = explorer->Frame().windowTitle();

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(explorer->Frame()).event(&drop);
        QTRY_COMPARE(doc.current()->code, shown->code);
        QCOMPARE(doc.current()->yaw, 77.0f);
        QCOMPARE(doc.current()->pitch, -12.0f);
        QCOMPARE(doc.history().Count(), historyBefore + 1);
        QCOMPARE(doc.history().GetAt(0), doc.current());
        QCOMPARE(explorer->Frame().windowTitle(), title);
        QVERIFY(explorer->Framework().PathName().isEmpty());
        QCOMPARE(doc.saved().Count(), 0);

        // From the command line, after the start-up attractor.
        explorer.reset();
        explorer = std::make_unique<Explorer>(QStringList{path});
        QVERIFY(explorer->started);
        QCOMPARE(explorer->Doc().current()->code, shown->code);
        QCOMPARE(explorer->Doc().history().GetAt(1)->code, std::string("EWM?MPMMWMMMM"));
    }

    // Unmended, such a picture from the command line got "File not found." (a document opened).
    void aPictureWhoseNameIsNotUtf8Opens()
    {
        const AttractorRef shown =
            Attractor::CreateFromCode("FIRCDERRPVLUFVLIJLBQM", explorer->Doc().defaults);
        const QByteArray raw = QFile::encodeName(PictureFolder()) + "/pic\xe9.png";
        QVERIFY(WritePngFile(raw.toStdString(),
                             EncodePng(zephyra::Picture(8, 8, 8), PictureTexts(*shown, PictureSettings{})))
                    .empty());
        explorer.reset();
        explorer = std::make_unique<Explorer>(QStringList{FileNameFromBytes(raw.toStdString())});
        QVERIFY(explorer->started);
        QCOMPARE(explorer->Doc().current()->code, shown->code);
        std::filesystem::remove(raw.toStdString());
    }

    void aPlainPngIsRefused()
    {
        const QString path = PictureFolder() + "/plain.png";
        QVERIFY(WritePngFile(path.toStdString(), EncodePng(zephyra::Picture(8, 8, 8), {})).empty());
        const AttractorRef before = explorer->Doc().current();
        const int historyBefore = explorer->Doc().history().Count();
        BoxAnswerer answerer(QMessageBox::Ok);
        QVERIFY(!explorer->Framework().OpenPath(path));
        QCOMPARE(answerer.Text(), QString("This picture holds no attractor."));
        QCOMPARE(explorer->Doc().current(), before);
        QCOMPARE(explorer->Doc().history().Count(), historyBefore);
    }

    void densityViewShowsThePictureAndCopiesIt()
    {
        CZephyraView& view = explorer->Frame().ActiveView();
        explorer->Frame().SendCommand(cmd::ID_VIEW_DENSITY);
        QVERIFY(explorer->Doc().viewDensity);
        QCOMPARE(explorer->Frame().CommandState(cmd::ID_VIEW_DENSITY), std::optional<bool>(true));
        QTRY_VERIFY_WITH_TIMEOUT(view.Density().Refinements() >= 2, 20000);
        QCOMPARE(view.Density().Picture().size(), view.size() * view.devicePixelRatio());

        explorer->Frame().SendCommand(cmd::ID_COPY_PICTURE);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), view.Density().Picture().size());
        // The start-up attractor's density: many shades, not a blank view.
        const QImage gray = copied.convertToFormat(QImage::Format_Grayscale8);
        std::set<uchar> shades(gray.constBits(), gray.constBits() + gray.sizeInBytes());
        QVERIFY(shades.size() > 20);

        explorer->Frame().SendCommand(cmd::ID_VIEW_DENSITY);
        QTRY_VERIFY(view.Density().Picture().isNull());
    }

    // Depth Shade, clicked in the View menu, darkens the Density view of a 4D attractor where its
    // folds lie behind others, and only darkens: the first pictures of both come from the same
    // points.
    void depthShadeDarkensTheDensityView()
    {
        CZephyraDoc& doc = explorer->Doc();
        doc.SetAttractor(Attractor::CreateFromCode(
                             "MSDHINLFSMYOGVGMNWACSGFRJPKWDBORKLHRGNROEJNJOGLLIDFAUTNNOIGYS", doc.defaults),
                         SA_NO_SEARCH);
        CZephyraView& view = explorer->Frame().ActiveView();
        QImage first;
        const QMetaObject::Connection keep =
            connect(&view.Density(), &DensityViewWorker::pictureReady, this, [&] {
                if (view.Density().Refinements() == 1)
                    first = view.Density().Picture().convertToFormat(QImage::Format_Grayscale8);
            });
        explorer->Frame().SendCommand(cmd::ID_VIEW_DENSITY);
        QTRY_VERIFY_WITH_TIMEOUT(!first.isNull(), 20000);
        const QImage plain = std::exchange(first, QImage());

        ClickMenuItem(explorer->Frame(), {"&View", "Depth Shade"});
        QVERIFY(doc.viewShade);
        QCOMPARE(explorer->Frame().CommandState(cmd::ID_VIEW_SHADE), std::optional<bool>(true));
        QTRY_VERIFY_WITH_TIMEOUT(!first.isNull(), 20000);
        disconnect(keep);
        QCOMPARE(first.size(), plain.size());
        int darker = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                const int shaded = first.constScanLine(y)[x], before = plain.constScanLine(y)[x];
                QVERIFY2(shaded <= before, qPrintable(QString("lighter at %1, %2").arg(x).arg(y)));
                darker += shaded < before;
            }
        QVERIFY2(darker > 100, qPrintable(QString::number(darker)));

        explorer->Frame().SendCommand(cmd::ID_VIEW_SHADE);
        explorer->Frame().SendCommand(cmd::ID_VIEW_DENSITY);
        QTRY_VERIFY(view.Density().Picture().isNull());
    }

    // The walk of a new user, pictured for a person to look at; only when a folder is named.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("ZEPHYRA_SCREENSHOTS names no folder");
        CMainFrame& frame = explorer->Frame();
        CZephyraView& view = frame.ActiveView();
        const auto screen = [&](const QString& name) {
            QApplication::processEvents();
            QApplication::primaryScreen()->grabWindow(0).save(folder + "/" + name + ".png");
        };
        frame.SendCommand(cmd::ID_VIEW_DENSITY);
        QTRY_VERIFY_WITH_TIMEOUT(view.Density().Refinements() >= 1 && !view.Density().Refining(), 60000);
        screen("0-start-density");
        frame.SendCommand(cmd::ID_VIEW_DENSITY);
        QTest::keyClick(&frame, Qt::Key_F10);
        QTest::keyClick(&frame, Qt::Key_F10);
        screen("1-next");
        const QString path = folder + "/exported.png";
        QTimer::singleShot(0, [&] {
            screen("2-export-dialog");
            auto* file = qobject_cast<QLineEdit*>(QApplication::activeModalWidget()->focusWidget());
            file->setText(path);
            QTest::keyClick(file, Qt::Key_Return);
        });
        QTest::keyClick(&frame, Qt::Key_E, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(explorer->Framework().Pictures().Export() &&
                                     frame.findChild<QProgressDialog*>() &&
                                     frame.findChild<QProgressDialog*>()->value() > 100,
                                 60000);
        screen("3-export-progress");
        QTRY_COMPARE_WITH_TIMEOUT(frame.Panes().Text(0), "Picture written: " + path, 120000);
        screen("4-written");
        frame.SendCommand(cmd::ID_VIEW_DENSITY);
        QTRY_VERIFY(view.Density().Refinements() >= 1);
        screen("5-density-first");
        QTRY_VERIFY_WITH_TIMEOUT(view.Density().Refinements() >= 1 && !view.Density().Refining(), 60000);
        screen("6-density-refined");
        const QPoint centre = view.rect().center();
        QTest::mousePress(&view, Qt::LeftButton, {}, centre);
        QTest::mouseMove(&view, centre + QPoint(60, 20));
        screen("7-dragging");
        QTest::mouseRelease(&view, Qt::LeftButton, {}, centre + QPoint(60, 20));
        QTRY_VERIFY_WITH_TIMEOUT(view.Density().Refinements() >= 1 && !view.Density().Refining(), 60000);
        screen("8-rotated-density");
        frame.SendCommand(cmd::ID_PREVIOUS);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        const int paints = view.PaintCount();
        static_cast<QObject&>(frame).event(&drop);
        QTRY_VERIFY(view.PaintCount() > paints + 1);
        QTRY_VERIFY_WITH_TIMEOUT(view.Density().Refinements() >= 1 && !view.Density().Refining(), 60000);
        screen("9-dropped-back");
    }
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
