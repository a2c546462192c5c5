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
// OK, Cancel and Apply. The pages edit copies: a page's values are taken into them when it is
// left for another page, on OK and on Apply, and OK and Apply hand them to the document in one
// operation; a failed check keeps the page and the dialog open, Cancel drops the copies.
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
    // OK and Apply: take the current page's values, then give the document the copies.
    [[nodiscard]] bool ApplyPages();
    void UpdateApplyButton();

    CZephyraDoc& document_;
    DocumentSettings settings_; // what the pages edit of the document's settings
    QTabWidget* tabs_;
    QPushButton* apply_;
    CPageAttractor* attractorPage_;
    std::vector<SettingsPage*> pages_;
    int current_ = 0;
};

} // namespace zephyra
