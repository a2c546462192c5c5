// The code box: list order, no equal neighbours, the length limit and the marked coefficient.
#include "CodeBox.h"
#include "Attractor.h"
#include "DisplaySettings.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace zephyra;

class CodeBoxTest : public QObject {
    Q_OBJECT
    AttractorDefaults defaults;

    AttractorRef Make(const char* code) { return Attractor::CreateFromCode(code, defaults); }

private slots:
    void listsCodesNewestFirstWithoutEqualNeighbours()
    {
        CodeBox box;
        const AttractorRef a = Make("EWM?MPMMWMMMM"), b = Make("EAAAAAAAAAAAA");
        box.ShowCode(*a);
        box.ShowCode(*a);
        QCOMPARE(box.count(), 1);
        box.ShowCode(*b);
        box.ShowCode(*a);
        QCOMPARE(box.count(), 3);
        QCOMPARE(box.itemText(0), QString("EWM?MPMMWMMMM"));
        QCOMPARE(box.itemText(1), QString("EAAAAAAAAAAAA"));
        QVERIFY(!box.itemIcon(0).isNull());
    }

    void marksTheCoefficientAtPosition()
    {
        CodeBox box;
        const AttractorRef a = Make("EWM?MPMMWMMMM");
        a->position = 3;
        box.ShowCode(*a);
        QCOMPARE(box.lineEdit()->selectedText(), QString("?"));
        a->NextPosition();
        box.ShowCode(*a);
        QCOMPARE(box.lineEdit()->selectionStart(), 4);
        QCOMPARE(box.count(), 1);
    }

    void marksACodeBetweenTheLettersUntilItIsEditedOrStepped()
    {
        CodeBox box;
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        const AttractorRef a = Make("EWM?MPMMWMMMM");
        std::vector<double> values = a->CoefficientValues();
        values[3] = -1.37;
        a->SetExactCoefficients(values);
        a->position = 3;
        box.ShowCode(*a);
        QCOMPARE(box.currentText(), QString("EWM?MPMMWMMMM"));
        QVERIFY(box.BetweenMark()->isVisible());
        QVERIFY(box.toolTip().endsWith("3:-1.37"));

        // A typed character makes it a code on its letters; typed back, the mark returns.
        box.lineEdit()->setFocus();
        QTest::keyClick(box.lineEdit(), Qt::Key_End);
        QTest::keyClick(box.lineEdit(), Qt::Key_A);
        QVERIFY(!box.BetweenMark()->isVisible());
        QVERIFY(box.toolTip().isEmpty());
        QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
        QVERIFY(box.BetweenMark()->isVisible());

        a->StepForward();
        box.ShowCode(*a);
        QVERIFY(!box.BetweenMark()->isVisible());
        QVERIFY(box.toolTip().isEmpty());
    }

    void keepsTheMarkWhenTheFocusLeaves()
    {
        QWidget window;
        auto* box = new CodeBox(&window);
        auto* other = new QLineEdit(&window);
        other->move(0, 40);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->lineEdit()->setFocus();
        box->ShowCode(*Make("EWM?MPMMWMMMM"));
        other->setFocus();
        QVERIFY(!box->lineEdit()->hasFocus());
        QCOMPARE(box->lineEdit()->selectedText(), QString("W"));
    }

    void acceptsAtMostTheLongestCodeAndEnterAsksForGo()
    {
        CodeBox box;
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.lineEdit()->setFocus();
        QSignalSpy go(&box, &CodeBox::goRequested);
        box.lineEdit()->setText(QString(600, 'M'));
        QCOMPARE(box.lineEdit()->text().size(), 505);
        QTest::keyClick(box.lineEdit(), Qt::Key_Return);
        QCOMPARE(go.count(), 1);
        QCOMPARE(box.count(), 0); // Enter inserts nothing by itself
    }

    // Unmended, a typed code of another case kept the image of the code before it, also after Go
    // refused it.
    void theCaseImageFollowsTheTypedText()
    {
        CodeBox typed, shown;
        typed.ShowCode(*Make("EWM?MPMMWMMMM"));
        shown.ShowCode(*Make("FIRCDERRPVLUFVLIJLBQM"));
        QTest::keyClick(typed.lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(typed.lineEdit(), "FW?");
        QCOMPARE(typed.currentText(), QString("FW?"));
        const auto image = [](CodeBox& box) {
            box.resize(300, box.sizeHint().height());
            return box.grab().toImage().copy(0, 0, box.lineEdit()->x(), box.height());
        };
        QCOMPARE(image(typed), image(shown));
    }

    void choosingAnOlderCodeOnlyFillsTheEditField()
    {
        CodeBox box;
        QSignalSpy go(&box, &CodeBox::goRequested);
        box.ShowCode(*Make("EAAAAAAAAAAAA"));
        box.ShowCode(*Make("EWM?MPMMWMMMM"));
        box.setCurrentIndex(1);
        QCOMPARE(box.currentText(), QString("EAAAAAAAAAAAA"));
        QCOMPARE(go.count(), 0);
    }
};

QTEST_MAIN(CodeBoxTest)
#include "CodeBoxTest.moc"
