// Export Animation through the window: the dialog as a user fills it (a turntable, a morph to a
// code that is checked first), the animation on a worker, and Cancel leaving nothing behind.
#include "ExplorerHarness.h"

#include "CommandIds.h"
#include "DocumentAccess.h"
#include "ExportAnimationDialog.h"
#include "ExportJob.h"
#include "PictureCommands.h"
#include "StatusPanes.h"
#include "StoredChoices.h"
#include "WebpFile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

constexpr const char* FOUR_D = "MSDHINLFSMYOGVGMNWACSGFRJPKWDBORKLHRGNROEJNJOGLLIDFAUTNNOIGYS";

QString AnimationFolder()
{
    const QString folder = SandboxFolder().filePath("animations");
    QDir().mkpath(folder);
    return folder;
}

QStringList EverythingIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Small, quick animations: 64 x 48 pixels, one million points a frame (or `points`, one of the
// choices), no supersampling.
void RememberSmallAnimations(int frames, std::uint64_t points = 1'000'000)
{
    QSettings s = StoredChoices();
    s.beginGroup("ExportAnimation");
    s.setValue("width", 64);
    s.setValue("height", 48);
    s.setValue("frames", frames);
    s.setValue("points", QString::number(points));
    s.setValue("supersample", "1");
}

// Answers the Export Animation dialog once it runs: `fill` does what the user does in it. A
// failed check inside closes the dialog, so that the test goes on to report it.
void AnswerDialog(std::function<void(ExportAnimationDialog&)> fill)
{
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<ExportAnimationDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        fill(*dialog);
        if (QTest::currentTestFailed())
            dialog->reject();
    });
}

void ClickExport(ExportAnimationDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class AnimationExportTest : public ExplorerTest {
    Q_OBJECT

    void BeforeStart() override
    {
        StoredChoices().remove("ExportAnimation");
        QDir(AnimationFolder()).removeRecursively();
    }

private slots:
    void aTurntableBecomesALoopingWebp()
    {
        RememberSmallAnimations(4);
        const QString path = AnimationFolder() + "/turn.webp";
        AnswerDialog([path](ExportAnimationDialog& dialog) {
            auto* file = qobject_cast<QLineEdit*>(dialog.focusWidget());
            QVERIFY(file);
            QCOMPARE(QFileInfo(file->text()).fileName(), QString("EWM_MPMMWMMMM.webp"));
            file->setText(path);
            QTest::keyClick(file, Qt::Key_Return);
        });
        QTest::keyClick(&explorer->Frame(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(explorer->Framework().Pictures().AnimationExport());
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Animation written: " + path, 30000);
        const auto webp = testing::ReadWebpFile(path.toStdString());
        QVERIFY(webp);
        QCOMPARE(webp->decodedFrames, 4);
        QCOMPARE(std::make_pair(webp->width, webp->height), std::make_pair(64u, 48u));
        QCOMPARE(EverythingIn(AnimationFolder()), QStringList{"turn.webp"});

        // Dropped on the window, the animation opens as a picture does: with its record.
        CZephyraDoc& doc = explorer->Doc();
        const AttractorRef start = doc.current();
        doc.SetAttractor(Attractor::CreateFromCode("FIRCDERRPVLUFVLIJLBQM", doc.defaults()), SA_NO_SEARCH);
        QCOMPARE(doc.current()->code, std::string("FIRCDERRPVLUFVLIJLBQM"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(explorer->Frame()).event(&drop);
        QTRY_COMPARE(doc.current()->code, start->code);
    }

    // Transparent, as Export Picture offers it: the density becomes alpha, the corners stay clear.
    void aTransparentAnimationKeepsItsAlpha()
    {
        RememberSmallAnimations(2);
        const QString path = AnimationFolder() + "/clear.webp";
        AnswerDialog([path](ExportAnimationDialog& dialog) {
            QComboBox* background = nullptr;
            for (QComboBox* box : dialog.findChildren<QComboBox*>())
                if (box->findText("Transparent") >= 0)
                    background = box;
            QVERIFY(background);
            background->setCurrentText("Transparent");
            dialog.findChild<QLineEdit*>("file")->setText(path);
            ClickExport(dialog);
        });
        explorer->Frame().SendCommand(cmd::ID_EXPORT_ANIMATION);
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Animation written: " + path, 30000);
        const auto webp = testing::ReadWebpFile(path.toStdString());
        QVERIFY(webp && webp->decodedFrames == 2);
        const std::vector<std::uint8_t>& rgba = webp->firstFrame;
        QCOMPARE(rgba[3], std::uint8_t{0}); // the top left corner
        bool drawn = false;
        for (std::size_t alpha = 3; alpha < rgba.size(); alpha += 4)
            drawn = drawn || rgba[alpha] > 0;
        QVERIFY(drawn);
    }

    void cancelLeavesNoFrameFolder()
    {
        RememberSmallAnimations(120, 10'000'000);
        AnswerDialog([](ExportAnimationDialog& dialog) {
            dialog.findChild<QComboBox*>("format")->setCurrentIndex(1); // PNG frames
            dialog.findChild<QLineEdit*>("file")->setText(AnimationFolder() + "/frames");
            ClickExport(dialog);
        });
        explorer->Frame().SendCommand(cmd::ID_EXPORT_ANIMATION);
        QPointer<ExportJob> job = explorer->Framework().Pictures().AnimationExport();
        QVERIFY(job);
        // Past five frames of the 120 the first is written: at most four are under way at once.
        QProgressDialog* progress = explorer->Frame().findChild<QProgressDialog*>();
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > progress->maximum() * 5 / 120, 30000);
        progress->findChild<QPushButton*>()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!job, 5000);
        QCOMPARE(EverythingIn(AnimationFolder()), QStringList());
    }

    void anAnimationThatCannotFitIsRefusedWithTheFile()
    {
        RememberSmallAnimations(4);
        explorer->Doc().SetAvailableMemory([] { return std::uint64_t{1} << 16; });
        const QString path = AnimationFolder() + "/refused.webp";
        AnswerDialog([path](ExportAnimationDialog& dialog) {
            dialog.findChild<QLineEdit*>("file")->setText(path);
            ClickExport(dialog);
        });
        BoxAnswerer answerer(QMessageBox::Ok);
        explorer->Frame().SendCommand(cmd::ID_EXPORT_ANIMATION);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.Count(), 1, 30000);
        QVERIFY(answerer.Text().contains(path));
        QVERIFY2(answerer.Text().contains("not enough memory for a WebP animation of 64x48"),
                 qPrintable(answerer.Text()));
        QCOMPARE(explorer->Frame().Panes().Text(0), QString("Animation not written"));
        QCOMPARE(EverythingIn(AnimationFolder()), QStringList());
    }

    void aMorphCodeIsCheckedInTheDialog()
    {
        CZephyraDoc& doc = explorer->Doc();
        const char* otherCase = "FIRCDERRPVLUFVLIJLBQM";
        Arrange(doc).saved.AddTail(Attractor::CreateFromCode(otherCase, doc.defaults()));
        Arrange(doc).favorites.AddTail(Attractor::CreateFromCode("EYYYYYYYYYYYY", doc.defaults()));
        RememberSmallAnimations(2);
        const QString path = AnimationFolder() + "/morph.webp";
        AnswerDialog([&](ExportAnimationDialog& dialog) {
            auto* code = dialog.findChild<QComboBox*>("morphCode");
            QCOMPARE(code->count(), 1); // only the codes of the attractor's case
            dialog.findChild<QRadioButton*>("morph")->click();
            QVERIFY(code->isEnabled());
            QVERIFY(code == dialog.focusWidget() || code->isAncestorOf(dialog.focusWidget()));
            auto* problem = dialog.findChild<QLabel*>("problem");
            for (const char* refused : {"EWM", otherCase}) {
                code->setCurrentText(refused);
                ClickExport(dialog);
                QVERIFY(dialog.isVisible());
                QVERIFY2(problem->isVisible() && problem->text().contains(refused),
                         qPrintable(problem->text()));
                QCOMPARE(code->currentText(), QString(refused));
            }
            QVERIFY(problem->text().contains("case E"));
            code->setCurrentIndex(0); // picked from Favorites; all its coefficients run away
            dialog.findChild<QLineEdit*>("file")->setText(path);
            ClickExport(dialog);
        });
        explorer->Frame().SendCommand(cmd::ID_EXPORT_ANIMATION);
        // The diverging frame is said once, at the end.
        QTRY_COMPARE_WITH_TIMEOUT(
            explorer->Frame().Panes().Text(0),
            "Animation written: " + path + " (frame 2: the orbit diverges; drawn as background)", 30000);
        QCOMPARE(testing::ReadWebpFile(path.toStdString())->decodedFrames, 2);
    }

    // The dialog at its first size and the frames of a turntable, for a person to look at; only
    // when a folder is named.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("ZEPHYRA_SCREENSHOTS names no folder");
        CZephyraDoc& doc = explorer->Doc();
        Arrange(doc).favorites.AddTail(Attractor::CreateFromCode("EWM?MPMMWMMMN", doc.defaults()));
        AnswerDialog([folder](ExportAnimationDialog& dialog) {
            dialog.grab().save(folder + "/animation-dialog.png");
            dialog.findChild<QRadioButton*>("morph")->click();
            dialog.findChild<QComboBox*>("morphCode")->setCurrentText("EWM");
            ClickExport(dialog);
            dialog.grab().save(folder + "/animation-dialog-morph.png");
            dialog.reject();
        });
        explorer->Frame().SendCommand(cmd::ID_EXPORT_ANIMATION);
        const AttractorRef shown = doc.current();
        doc.SetAttractor(Attractor::CreateFromCode(FOUR_D, doc.defaults()), SA_NO_SEARCH);
        AnswerDialog([folder](ExportAnimationDialog& dialog) {
            dialog.grab().save(folder + "/animation-dialog-4d.png");
            dialog.reject();
        });
        explorer->Frame().SendCommand(cmd::ID_EXPORT_ANIMATION);
        doc.SetAttractor(shown, SA_NO_SEARCH);

        QSettings s = StoredChoices();
        s.beginGroup("ExportAnimation");
        s.setValue("width", 320);
        s.setValue("height", 240);
        s.setValue("frames", 8);
        s.setValue("morph", false);
        s.setValue("pitchSwing", 20);
        const QString frames = folder + "/animation-frames";
        QDir(frames).removeRecursively();
        AnswerDialog([frames](ExportAnimationDialog& dialog) {
            dialog.findChild<QComboBox*>("format")->setCurrentIndex(1);
            dialog.findChild<QLineEdit*>("file")->setText(frames);
            ClickExport(dialog);
        });
        explorer->Frame().SendCommand(cmd::ID_EXPORT_ANIMATION);
        QTRY_VERIFY_WITH_TIMEOUT(explorer->Frame().findChild<QProgressDialog*>(), 10000);
        QProgressDialog* progress = explorer->Frame().findChild<QProgressDialog*>();
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 100, 60000);
        progress->grab().save(folder + "/animation-progress.png");
        QTRY_COMPARE_WITH_TIMEOUT(explorer->Frame().Panes().Text(0), "Animation written: " + frames, 120000);
    }
};

QTEST_MAIN(AnimationExportTest)
#include "AnimationExportTest.moc"
