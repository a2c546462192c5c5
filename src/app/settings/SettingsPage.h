#pragma once
#include <QString>
#include <QWidget>

namespace zephyra {

class DataExchange;

// One page of the Settings dialog: transfers between its controls and their targets (the sheet's
// copy of what it edits), with the checks of DoDataExchange, and a modified state that the sheet
// shows through its Apply button. Every transfer into the targets is announced, so that the
// sheet hands the document what it took at once.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(QString caption, QWidget* parent = nullptr);

    [[nodiscard]] const QString& Caption() const { return caption_; }

    // Into the controls (false) or back into the targets with checks (true). A failed check is
    // reported to the user, leaves the focus on its control and returns false; the values taken
    // before it are announced all the same.
    bool UpdateData(bool saveAndValidate);

    // The page becomes the sheet's current page: its controls show the targets.
    virtual void OnSetActive();
    // The page is about to be left (another page, OK, Apply): false keeps it.
    [[nodiscard]] virtual bool OnKillActive();

    void SetModified(bool modified);
    [[nodiscard]] bool IsModified() const { return modified_; }

signals:
    void modifiedChanged(bool modified);
    // The targets took values from the controls, the colour chooser or a reset.
    void transferred();

protected:
    virtual void DoDataExchange(DataExchange& exchange) = 0;

private:
    QString caption_;
    bool modified_ = false;
};

} // namespace zephyra
