#pragma once
#include "AnimationExport.h"
#include "Attractor.h"
#include "DensityFields.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace zephyra {

// What Export Animation asks before it starts: a turntable, or a morph to a code typed or picked
// from Saved and Favorites; the frames, their size and density; and where they go, an animated
// WebP or PNG frames in a folder. A code that is no attractor of the same case, or a place the
// frames cannot go, is refused inside the dialog, which stays open with all its choices. Opens
// with the file name focused and the choices of the last run, so Enter exports at once; remembers
// them (QSettings) when accepted.
class ExportAnimationDialog : public QDialog {
    Q_OBJECT
public:
    // `scene` shows `attractor` as the view does; `morphCodes` are offered to morph to.
    ExportAnimationDialog(AttractorRef attractor, DensityScene scene,
                          const std::vector<std::string>& morphCodes, const std::vector<Rgb>& ownColors,
                          AttractorDefaults defaults, QWidget* parent = nullptr);

    // Once accepted: the frames to render and where they go.
    [[nodiscard]] AnimationPlan Plan() const;
    // Where they go; the caller adds the record the files carry.
    [[nodiscard]] AnimationTarget Target() const;

    void accept() override;

private:
    void BuildMotion(QFormLayout& form, const std::vector<std::string>& morphCodes);
    void BuildFrames(QFormLayout& form, const std::vector<Rgb>& ownColors);
    void BuildOutput(QFormLayout& form);
    void ShowMotion();
    void ShowDuration();
    void ShowFormat();
    void Browse();
    [[nodiscard]] bool WritesWebp() const;
    [[nodiscard]] QString FilePath() const;
    // Why the choices cannot be exported, with the focus on the field to mend; empty when they can.
    [[nodiscard]] QString Problem();
    void Remember() const;
    void Recall();

    AttractorRef attractor_;
    DensityScene scene_;
    AttractorDefaults defaults_;
    AttractorRef morphTarget_; // the checked code to morph to
    QRadioButton* turntable_;
    QRadioButton* morph_;
    QSpinBox* turn_;
    QSpinBox* pitchSwing_;
    QComboBox* plane_;
    QComboBox* morphCode_;
    QSpinBox* width_;
    QSpinBox* height_;
    QSpinBox* frames_;
    QSpinBox* fps_;
    QLabel* duration_;
    std::optional<DensityFields> density_;
    QComboBox* format_;
    QSpinBox* quality_;
    QLabel* fileLabel_;
    QLineEdit* file_;
    QLabel* problem_;
};

} // namespace zephyra
