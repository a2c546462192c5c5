#pragma once
#include <QDialog>

#include <vector>

class QPushButton;
class QTabWidget;

namespace zephyra {

class SettingsPage;
class CPageAttractor;
class CZephyraDoc;

// The "Settings" property sheet: the attractor page and the 2D, 3D and 4D defaults pages, with
// OK, Cancel and Apply. A page's values are taken when it is left for another page, on OK and on
// Apply; a failed check keeps the page and the dialog open.
class CSettingsSheet : public QDialog {
    Q_OBJECT
public:
    // The document must have a current attractor.
    CSettingsSheet(CZephyraDoc& document, QWidget* parent = nullptr);

    [[nodiscard]] QTabWidget* Tabs() const { return tabs_; }
    [[nodiscard]] QPushButton* ApplyButton() const { return apply_; }
    [[nodiscard]] CPageAttractor* AttractorPage() const { return attractorPage_; }

private:
    void AddPage(SettingsPage* page);
    void OnPageChanged(int index);
    void ShowPage(int index);
    // OK and Apply: take the current page's values, then apply every page shown so far.
    [[nodiscard]] bool ApplyPages();
    void UpdateApplyButton();

    QTabWidget* tabs_;
    QPushButton* apply_;
    CPageAttractor* attractorPage_;
    std::vector<SettingsPage*> pages_;
    std::vector<bool> shown_; // pages never shown have no values to take
    int current_ = 0;
};

} // namespace zephyra
