#pragma once
#include "PanelCodes.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zephyra {

class CZephyraDoc;

// A docked panel: a title row with the caption and a close button, a row of command buttons and a
// tree filling the rest. The panel is a view on the document; the frame owns it and passes it the
// document's update hints through OnUpdate.
class CPanel : public QWidget {
    Q_OBJECT
public:
    // Routes a command id through the frame's dispatcher to the document.
    using CommandSink = std::function<void(int id)>;

    // Height of the title row and the button row together; the tree fills the rest.
    static constexpr int BANDS_HEIGHT = 45;
    // Width kept free at the right end of the title row for the close button.
    static constexpr int CLOSE_BUTTON_SPACE = 22;

    CPanel(const QString& caption, CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);

    // A document update hint (UH_* or 0, which rebuilds everything).
    virtual void OnUpdate(int hint) = 0;

    [[nodiscard]] QString Caption() const { return caption_; }
    // What the title row says: the caption, or what the panel put there (SetTitle).
    [[nodiscard]] QString Title() const;
    [[nodiscard]] QTreeWidget* Tree() const { return tree_; }
    [[nodiscard]] QToolBar* Buttons() const { return buttons_; }
    // The width that shows every button and the widest entry the tree holds now.
    [[nodiscard]] int PreferredWidth() const;
    [[nodiscard]] QToolButton* CloseButton() const { return closeButton_; }

protected:
    // Builds the children and calls the virtual set-up steps; concrete panels call it last in their
    // constructors, once their own state exists.
    void Build();
    // Fills the button row (AddButton); the base has none.
    virtual void SetupButtons() {}
    // Gives the tree its icon size; the base uses the 16 x 16 case images.
    virtual void AttachImageList();
    // A double click or Enter on the tree.
    virtual void ActivateSelection() {}
    // A key pressed in the tree (Qt::Key).
    virtual void OnTreeKeyDown(int key) { (void)key; }
    // Commands of the button row that the panel handles itself; false passes the id to the document.
    virtual bool HandleCommand(int id)
    {
        (void)id;
        return false;
    }

    // One button: command id, caption (may be empty) and image index into the panel button images.
    void AddButton(int id, const QString& text, int image);
    void AddSeparator();
    // The text of the title row; the caption stays the panel's name.
    void SetTitle(const QString& text);

    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    CZephyraDoc& doc_;

private:
    void SendCommand(int id);

    QString caption_;
    CommandSink sendCommand_;
    QWidget* titleRow_ = nullptr;
    QLabel* title_ = nullptr;
    QToolButton* closeButton_ = nullptr;
    QToolBar* buttons_ = nullptr;
    QTreeWidget* tree_ = nullptr;
};

// One of the panels by its pane code (PANEL_CASES, PANEL_SAVED, PANEL_FAVORITES, PANEL_HISTORY,
// PANEL_GALLERY, PANEL_MEASUREMENTS, PANEL_PARAMETER_MAP); null for any other code.
[[nodiscard]] std::unique_ptr<CPanel> CreatePanel(int panelCode, CZephyraDoc& doc,
                                                  CPanel::CommandSink sendCommand, QWidget* parent);

} // namespace zephyra
