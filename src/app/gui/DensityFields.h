#pragma once
#include "DensityRenderer.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QSettings;
class QSlider;
class QSpinBox;
class QWidget;

namespace zephyra {

// The density choices that the export dialogs share, as rows of their form: points,
// supersampling, tone with its gamma, smoothing, colours (with swatches), background and framing. Each dialog
// remembers them in its own group, each under its key in the density option table.
class DensityFields {
public:
    // `points` are the counts offered under `pointsLabel`, the one at `defaultPoints` chosen at
    // first; `ownColors` samples the colours of the attractor's points for the swatch of its own
    // colours.
    DensityFields(QFormLayout& form, QWidget& dialog, const std::vector<Rgb>& ownColors,
                  const char* pointsLabel, std::span<const std::uint64_t> points, int defaultPoints);

    // Adds "Transparent" to the backgrounds: a picture with alpha instead of a background.
    void OfferTransparent();
    void Apply(DensityOptions& options) const;
    void Remember(QSettings& settings) const;
    void Recall(const QSettings& settings);

private:
    // Sets the fields to `options`; a point count not offered keeps the one chosen.
    void Show(const DensityOptions& options);
    void ChooseBackground(int index);
    // The colour "Other colour..." stands for, as the swatch of its entry.
    void ShowOtherBackground();

    QWidget& dialog_;
    std::span<const std::uint64_t> pointCounts_;
    QComboBox* points_;
    QSpinBox* supersample_;
    QComboBox* tone_;
    QSlider* gamma_;
    QDoubleSpinBox* smooth_;
    QComboBox* colors_;
    QComboBox* background_;
    QCheckBox* fit_;
    QCheckBox* shade_;
    Rgb otherBackground_{0.0f, 0.0f, 0.0f};
};

// A row label whose mnemonic moves the focus to the row's first field.
[[nodiscard]] QLabel* Labelled(const char* text, QWidget* field);
// Chooses the index stored under `key`; one out of range (a hand-edited or newer file) is ignored.
void RecallIndex(const QSettings& settings, QComboBox* box, const char* key);
// Export (the default button, so Enter exports) and Cancel, wired to the dialog's accept and reject.
[[nodiscard]] QDialogButtonBox* ExportButtons(QDialog& dialog);
// A red line above the buttons that says why the dialog cannot export yet; hidden until then.
[[nodiscard]] QLabel* ProblemLine();
// Shows `problem` on the line, or hides it when empty; true when there is none.
bool ShowProblem(QLabel* line, const QString& problem);
// The start of the code, as the proposed name of a file: letters and digits, the rest '_'.
[[nodiscard]] QString FileNameOf(const std::string& code);

} // namespace zephyra
