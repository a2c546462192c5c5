#pragma once
#include "CPanel.h"
#include "Find.h"
#include "SearchFilter.h"

#include <vector>

class QCheckBox;
class QDoubleSpinBox;
class QListWidget;
class QListWidgetItem;

namespace zephyra {

class GallerySearch;

// The Gallery: a grid of density thumbnails of fresh attractors of the document's case letter,
// filled by background workers as they find them (through the filters set in the panel). A click
// shows one; More searches a new page, Variants a page of neighbours of the current attractor; Add
// and Favorite keep the selected one. The search runs while the panel is shown and starts anew
// when the case letter changes.
class CPanelGallery : public CPanel {
    Q_OBJECT
public:
    static constexpr int PAGE_SIZE = 12;
    static constexpr int THUMBNAIL_SIZE = 128;

    CPanelGallery(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);
    ~CPanelGallery() override;

    void OnUpdate(int hint) override;

    [[nodiscard]] QListWidget* Grid() const { return grid_; }
    [[nodiscard]] SearchFilter Filter() const;
    [[nodiscard]] bool Searching() const;
    // A fresh page of random finds, or of neighbours of the current attractor.
    void SearchMore();
    void SearchVariants();

protected:
    void SetupButtons() override;
    bool HandleCommand(int id) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildFilters();
    void ClearPage();
    void AddFind(const Find& find, const QImage& thumbnail);
    void ShowFind(const QListWidgetItem* item);

    GallerySearch* search_ = nullptr;
    QWidget* filters_ = nullptr;
    QDoubleSpinBox* minLyapunov_ = nullptr;
    QDoubleSpinBox* dimensionLow_ = nullptr;
    QDoubleSpinBox* dimensionHigh_ = nullptr;
    QDoubleSpinBox* fillLow_ = nullptr;
    QDoubleSpinBox* fillHigh_ = nullptr;
    QDoubleSpinBox* minKaplanYorke_ = nullptr;
    QCheckBox* hyperchaotic_ = nullptr;
    QListWidget* grid_ = nullptr;
    std::vector<Find> finds_; // the page, in the order of the grid
    char letter_ = 0;         // the case letter of the page shown
    std::uint64_t batches_ = 0;
};

} // namespace zephyra
