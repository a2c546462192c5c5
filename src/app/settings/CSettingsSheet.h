#pragma once
#include "DocumentSettings.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTabWidget;

namespace zephyra {

class SettingsPage;
class CPageAttractor;
class CZephyraDoc;

// The "Settings" property sheet: the attractor page and the 2D, 3D and 4D defaults pages, with
// OK, Cancel and Apply. A page's values are taken when it is left for another page, on OK, on
// Apply and by its buttons, and go to the document at once, so Cancel undoes nothing taken; only
// the attractor's display copy and point count wait for OK or Apply. A failed check keeps the
// page and the dialog open.
class CSettingsSheet : public QDialog {
    Q_OBJECT
public:
    CSettingsSheet(CZephyraDoc& document, QWidget* parent = nullptr);

    [[nodiscard]] QTabWidget* Tabs() const { return tabs_; }
    [[nodiscard]] QPushButton* ApplyButton() const { return apply_; }
    [[nodiscard]] CPageAttractor* AttractorPage() const { return attractorPage_; }

private:
    void AddPage(SettingsPage* page);
    void OnPageChanged(int index);
    void ShowPage(int index);
    // Every transfer of a page: the document takes the general settings, the defaults and the
    // field of view.
    void OnTransferred();
    // OK and Apply: take the current page's values, then give the attractor its display copy and
    // point count.
    [[nodiscard]] bool ApplyPages();
    void UpdateApplyButton();

    CZephyraDoc& document_;
    DocumentSettings settings_; // what the pages take of the document's settings
    QTabWidget* tabs_;
    QPushButton* apply_;
    CPageAttractor* attractorPage_;
    std::vector<SettingsPage*> pages_;
    int current_ = 0;
};

} // namespace zephyra
