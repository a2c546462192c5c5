#pragma once
#include "CPageAttractor.h"
#include "CSettingsSheet.h"
#include "CZephyraDoc.h"
#include "DocumentAccess.h"
#include "FakeHost.h"
#include "ModalAnswerer.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

namespace zephyra::testing {

// The start-up attractor (the Henon map) and a 3D map with all coefficients zero.
constexpr std::string_view HENON_CODE = "EWM?MPMMWMMMM";
inline std::string ZeroMap3D()
{
    return "I" + std::string(30, 'M');
}

// A document with a current attractor and a Settings sheet on screen, driven as a user would:
// typing into edits, clicking tabs and buttons, answering the boxes that open.
class SheetHarness {
public:
    // `compute`: give the document the attractor's points, as the program does before any command.
    explicit SheetHarness(std::string_view code = HENON_CODE, bool compute = true)
    {
        doc.SetObserver(&host);
        AttractorRef attractor = Attractor::CreateFromCode(code, doc.defaults());
        attractor->pointsCount = 10000;
        if (!compute || !doc.ComputePoints(attractor, false, false, nullptr))
            Arrange(doc).current = attractor;
        host.ClearRecordings();
    }

    // The sheet is built on first use, so a test can set the document up before it opens.
    CSettingsSheet& Sheet()
    {
        if (!sheet_) {
            sheet_ = std::make_unique<CSettingsSheet>(doc);
            sheet_->show();
            sheet_->activateWindow();
            if (!QTest::qWaitForWindowActive(sheet_.get()))
                qWarning("the Settings sheet did not become active");
        }
        return *sheet_;
    }

    // A control of one page (the pages share their names); the attractor page unless told.
    template <typename T = QLineEdit> T* Control(const char* name, int page = 0)
    {
        return Sheet().Tabs()->widget(page)->findChild<T*>(name);
    }

    // Replaces the edit's text by typing, as after a triple click.
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void Type(const char* name, const QString& text, int page = 0) { Type(Control(name, page), text); }

    void ClickTab(int index)
    {
        QTabBar* bar = Sheet().Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Click(const char* name, int page = 0) { Click(Control<QAbstractButton>(name, page)); }
    void ClickSheetButton(QDialogButtonBox::StandardButton which)
    {
        Click(Sheet().findChild<QDialogButtonBox*>()->button(which));
    }

    // Runs `act` on the next modal window that opens while `trigger` runs.
    static void WithNextModal(const std::function<void(QWidget*)>& act, const std::function<void()>& trigger)
    {
        const ModalAnswerer answerer([&](QWidget* modal) {
            if (answerer.Count() == 1)
                act(modal);
        });
        trigger();
    }

    // The text of the message box that `trigger` shows (empty when none opens); the box is closed.
    static QString MessageShownBy(const std::function<void()>& trigger)
    {
        QString text;
        WithNextModal(
            [&](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    text = box->text();
                    box->accept();
                }
            },
            trigger);
        return text;
    }

    // Opens the colour chooser with `trigger`; picks `color` in it, or cancels it when invalid.
    // Returns the colour the chooser started with.
    static QColor ChooseColor(const QColor& color, const std::function<void()>& trigger)
    {
        QColor start;
        WithNextModal(
            [&](QWidget* modal) {
                auto* chooser = qobject_cast<QColorDialog*>(modal);
                if (!chooser)
                    return;
                start = chooser->currentColor();
                if (color.isValid()) {
                    chooser->setCurrentColor(color);
                    chooser->accept();
                } else {
                    chooser->reject();
                }
            },
            trigger);
        return start;
    }

    [[nodiscard]] int Hints(int hint) const
    {
        return static_cast<int>(std::count(host.hints.begin(), host.hints.end(), hint));
    }
    // How many point computations finished since the sheet opened.
    [[nodiscard]] int Recomputations() const
    {
        const auto pane = host.PaneHistory(0);
        return static_cast<int>(
            std::count_if(pane.begin(), pane.end(), [](const auto& e) { return e.text == "Done"; }));
    }
    [[nodiscard]] bool Recomputed() const { return Recomputations() > 0; }

    FakeHost host;
    CZephyraDoc doc{host, nullptr, 1};

private:
    std::unique_ptr<CSettingsSheet> sheet_;
};

} // namespace zephyra::testing
