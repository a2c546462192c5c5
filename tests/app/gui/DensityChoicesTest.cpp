// The density options have one set of names and limits: every tone map and palette name comes
// back through the picture record and is taken by the command line, and the dialogs' supersampling
// box and the command line stop at the same limits. The background chosen as "Other colour..."
// shows as a swatch in its entry. The depth shade is a box in the dialogs and a flag on the
// command line.
#include "CommandParser.h"
#include "DensityFields.h"
#include "ModalAnswerer.h"
#include "PictureRecord.h"
#include "RenderOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QTest>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using namespace zephyra;

namespace {

// The settings `render CODE --density OPTIONS` asks for; nothing when the command line is refused.
std::optional<DensityOptions> FromCommandLine(const std::vector<std::string>& options)
{
    std::vector<std::string> line{"render", "EWM?MPMMWMMMM", "--density", "-o", "x.png"};
    line.insert(line.end(), options.begin(), options.end());
    const cli::ParsedCommandLine parsed = cli::ParseCommandLine(line);
    if (parsed.error)
        return std::nullopt;
    PictureSettings settings;
    try {
        cli::ApplyDensityOptions(parsed.arguments, settings);
    } catch (const cli::UsageError&) {
        return std::nullopt;
    }
    return settings.options;
}

// The density fields alone in a dialog, laid out as the export dialogs lay them out.
struct FieldsDialog {
    static constexpr std::array<std::uint64_t, 1> POINTS{1'000'000};
    QDialog dialog;
    QFormLayout* form = new QFormLayout(&dialog);
    const DensityFields fields{*form, dialog, {}, "&Points:", POINTS, 0};

    // Shows the dialog and waits until it has the keyboard.
    [[nodiscard]] bool ShowActive()
    {
        dialog.show();
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }
};

} // namespace

class DensityChoicesTest : public QObject {
    Q_OBJECT
private slots:
    void theOtherColourShowsAsASwatch();
    void theDepthShadeIsABoxAndAFlag();
    void namesAndLimitsAgreeEverywhere()
    {
        std::vector<PictureSettings> cases;
        for (const Choice<ToneMap>& t : TONE_CHOICES) {
            PictureSettings s;
            s.density = true;
            s.options.tone = t.value;
            s.options.palette = Palette::Gray; // not the default, so that it must come back too
            cases.push_back(s);
            const auto cli = FromCommandLine({"--tone", std::string(t.name)});
            QVERIFY2(cli && cli->tone == t.value, t.name.data());
        }
        for (const Choice<Palette>& p : PALETTE_CHOICES) {
            PictureSettings s;
            s.density = true;
            s.options.palette = p.value;
            s.options.tone = ToneMap::Linear;
            cases.push_back(s);
            const auto cli = FromCommandLine({"--colors", std::string(p.name)});
            QVERIFY2(cli && cli->palette == p.value, p.name.data());
        }
        for (const PictureSettings& s : cases) {
            PictureSettings back;
            QVERIFY(ReadSettingsText(SettingsText(s), back));
            QVERIFY(back.options.tone == s.options.tone && back.options.palette == s.options.palette);
        }

        FieldsDialog d;
        const QSpinBox* supersample = d.dialog.findChild<QSpinBox*>();
        QVERIFY(supersample);
        QCOMPARE(supersample->minimum(), LEAST_SUPERSAMPLE);
        QCOMPARE(supersample->maximum(), LARGEST_SUPERSAMPLE);
        for (const int s : {LEAST_SUPERSAMPLE, LARGEST_SUPERSAMPLE}) {
            const auto cli = FromCommandLine({"--supersample", std::to_string(s)});
            QVERIFY(cli && cli->supersample == s);
        }
        QVERIFY(!FromCommandLine({"--supersample", std::to_string(LEAST_SUPERSAMPLE - 1)}));
        QVERIFY(!FromCommandLine({"--supersample", std::to_string(LARGEST_SUPERSAMPLE + 1)}));

        // The smoothing radius: the same limits in the dialog and on the command line, typed in.
        auto* smooth = d.dialog.findChild<QDoubleSpinBox*>();
        QVERIFY(smooth);
        QCOMPARE(smooth->minimum(), 0.0);
        QCOMPARE(smooth->maximum(), double(LARGEST_SMOOTH));
        QVERIFY(d.ShowActive());
        smooth->setFocus();
        QTRY_VERIFY(smooth->hasFocus());
        smooth->selectAll();
        QTest::keyClicks(smooth, "4.5");
        DensityOptions applied;
        d.fields.Apply(applied);
        QCOMPARE(applied.smooth, 4.5f);
        const auto widest = FromCommandLine({"--smooth", "10"});
        QVERIFY(widest && widest->smooth == LARGEST_SMOOTH);
        QVERIFY(!FromCommandLine({"--smooth", "10.5"}));
        QVERIFY(!FromCommandLine({"--smooth", "-1"}));
    }
};

void DensityChoicesTest::theOtherColourShowsAsASwatch()
{
    FieldsDialog d;
    QComboBox* background = nullptr;
    for (QComboBox* box : d.dialog.findChildren<QComboBox*>())
        if (box->findText("Other colour...") >= 0)
            background = box;
    QVERIFY(background);
    QVERIFY(d.ShowActive());
    const QColor picked(40, 110, 200);
    testing::ModalAnswerer answerer([picked](QWidget* window) {
        if (auto* chooser = qobject_cast<QColorDialog*>(window)) {
            chooser->setCurrentColor(picked);
            chooser->accept();
        }
    });
    background->setFocus();
    QTest::keyClick(background, Qt::Key_End); // chooses the last entry, "Other colour..."
    QCOMPARE(answerer.Count(), 1);
    QCOMPARE(background->currentText(), QString("Other colour..."));
    const QImage swatch = background->itemIcon(background->currentIndex()).pixmap(14, 14).toImage();
    QCOMPARE(swatch.pixelColor(7, 7), picked);
    const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
    if (!folder.isEmpty())
        d.dialog.grab().save(folder + "/background-swatch.png");
    DensityOptions options;
    d.fields.Apply(options);
    QVERIFY(options.background);
    const Rgb chosen = *options.background;
    QCOMPARE(QColor::fromRgbF(chosen[0], chosen[1], chosen[2]), picked);
}

void DensityChoicesTest::theDepthShadeIsABoxAndAFlag()
{
    FieldsDialog d;
    QCheckBox* shade = nullptr;
    for (QCheckBox* box : d.dialog.findChildren<QCheckBox*>())
        if (box->text().contains("depth"))
            shade = box;
    QVERIFY(shade && !shade->isChecked());
    QVERIFY(d.ShowActive());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier); // its mnemonic
    QTRY_VERIFY(shade->isChecked());
    DensityOptions options;
    d.fields.Apply(options);
    QVERIFY(options.shade);

    const auto shaded = FromCommandLine({"--shade"});
    QVERIFY(shaded && shaded->shade);
    const auto plain = FromCommandLine({});
    QVERIFY(plain && !plain->shade);
}

QTEST_MAIN(DensityChoicesTest)
#include "DensityChoicesTest.moc"
