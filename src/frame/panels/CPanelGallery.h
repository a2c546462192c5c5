#pragma once
#include "CPanel.h"
#include "Find.h"
#include "FindSearch.h"
#include "SearchFilter.h"

#include <QElapsedTimer>

#include <chrono>
#include <string>
#include <vector>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QTimer;

namespace zephyra {

class GallerySearch;

// The Gallery: a grid of density thumbnails of fresh attractors of the document's case letter,
// filled by background workers as they find them (through the filters set in the panel). A click
// shows one; More searches a new page, Variants a page of neighbours of the current attractor; Add
// and Favorite keep the selected one. The search runs while the panel is shown and starts anew
// when the case of the attractor shown changes. A line under the filters says how far the page
// is, why it ended short, or which range is reversed (then nothing is searched).
class CPanelGallery : public CPanel {
    Q_OBJECT
public:
    static constexpr int PAGE_SIZE = 12;
    static constexpr int THUMBNAIL_SIZE = 128;
    // A page ends short when this long passes without a new find (the rarest default finds, of
    // the largest 4D case, come a few seconds apart).
    static constexpr std::chrono::milliseconds PATIENCE{30000};

    CPanelGallery(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);
    ~CPanelGallery() override;

    void OnUpdate(int hint) override;

    [[nodiscard]] QListWidget* Grid() const { return grid_; }
    [[nodiscard]] SearchFilter Filter() const;
    [[nodiscard]] bool Searching() const;
    // What the line under the filters says.
    [[nodiscard]] QString Progress() const;
    void SetPatience(std::chrono::milliseconds patience) { patience_ = patience; }
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
    // The case the page is of: that of the attractor shown, else the one Next searches.
    [[nodiscard]] char PageLetter() const;
    // Starts a page of these tries once the filters are sound; a reversed range is marked and said
    // instead.
    void StartPage(FindSearch::MakeTry makeTry, std::uint64_t seed);
    // Ends a page whose finds stopped coming, and says how far the page is.
    void ShowProgress();
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
    QLabel* progress_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QListWidget* grid_ = nullptr;
    QElapsedTimer sinceFind_;
    std::chrono::milliseconds patience_ = PATIENCE;
    std::vector<Find> finds_; // the page, in the order of the grid
    char letter_ = 0;         // the case letter of the page shown
    std::string source_;      // the code a page of variants varies; empty for a page of random finds
    std::uint64_t batches_ = 0;
};

} // namespace zephyra
