#pragma once
#include "DensityFields.h"
#include "PictureRecord.h"

#include <QDialog>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace zephyra {

// What Export Picture asks before it starts: size, points, quality, tone, colours, background,
// depth and the file. Opens with the file name focused and its choices of the last run, so Enter
// exports at once; remembers its choices (QSettings) when accepted.
class ExportPictureDialog : public QDialog {
    Q_OBJECT
public:
    // `viewSize` in device pixels; `ownColors` samples the colours of the attractor's points for
    // the swatch of coordinate colours; `code` gives the proposed file name.
    ExportPictureDialog(QSize viewSize, const std::vector<Rgb>& ownColors, const std::string& code,
                        QWidget* parent = nullptr);

    [[nodiscard]] PictureSettings Settings() const;
    [[nodiscard]] QString FilePath() const;

    void accept() override;

private:
    void BuildForm(const std::vector<Rgb>& ownColors);
    void Remember() const;
    void Recall();
    void Browse();
    void ShowSizeChoice();

    QSize viewSize_;
    QComboBox* size_;
    QSpinBox* width_;
    QSpinBox* height_;
    std::optional<DensityFields> density_;
    QComboBox* depth_;
    QLineEdit* file_;
    QLabel* problem_;
};

} // namespace zephyra
