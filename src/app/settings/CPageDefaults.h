#pragma once
#include "DisplaySettings.h"
#include "SettingsPage.h"

class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QVBoxLayout;

namespace zephyra {

class ColorSwatch;

// A page that edits one display record in place: colours, start point, axis and colour choices.
// The three defaults pages edit the sheet's copy of the document's defaults, which the sheet
// hands to the document at every transfer, so a later Cancel undoes none of it.
class CPageDefaults : public SettingsPage {
    Q_OBJECT
public:
    CPageDefaults(QString caption, DisplaySettings& settings, QWidget* parent = nullptr);

    DisplaySettings* settings;

protected:
    enum class ResetButton { Shown, Hidden };
    // `settings` may point at a member of the derived page that is not built yet: the
    // constructor only stores it.
    CPageDefaults(QString caption, DisplaySettings* settings, ResetButton reset, QWidget* parent);

    void DoDataExchange(DataExchange& exchange) override;

    // An edit or a drop-down list whose user changes mark the page modified.
    [[nodiscard]] QLineEdit* AddEdit(const char* name);
    [[nodiscard]] QComboBox* AddChoice(const char* name, const QStringList& items);
    // Transfers the targets into the controls and repaints, so the swatches show new colours.
    void Refresh();

    // Where a derived page adds its own controls.
    QFormLayout* leftForm;
    QFormLayout* rightForm;
    QVBoxLayout* pageLayout;
    QHBoxLayout* buttonRow;

private:
    [[nodiscard]] int FieldWidth() const;
    void AddColorRow(const QString& label, const char* name, Rgb DisplaySettings::*color);
    void PickColor(Rgb DisplaySettings::*color);
    void OnResetToDefaults();

    QComboBox* coordX_;
    QComboBox* coordY_;
    QComboBox* coordZ_;
    QComboBox* colorR_;
    QComboBox* colorG_;
    QComboBox* colorB_;
    QLineEdit* x0_;
    QLineEdit* y0_;
    QLineEdit* z0_;
    QLineEdit* w0_;
};

} // namespace zephyra
