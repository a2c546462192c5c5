#pragma once
#include <QLabel>

namespace zephyra {

// One pane of the status bar: a sunken label that, in a bar too narrow for every pane, is given
// less than its width and elides its text rather than being drawn over by its neighbour.
class StatusPane : public QLabel {
    Q_OBJECT
public:
    explicit StatusPane(QWidget* parent);

    // The width the pane asks for whatever its text; without one it asks for the width of its text.
    void SetPreferredWidth(int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as drawn: elided to the pane's width.
    [[nodiscard]] QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QRect TextRect() const;

    int preferredWidth_ = 0;
};

} // namespace zephyra
