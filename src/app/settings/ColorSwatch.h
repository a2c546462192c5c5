#pragma once
#include "DisplaySettings.h"

#include <QAbstractButton>

#include <functional>

namespace zephyra {

// A clickable patch painted in a colour that lives elsewhere (a page's settings record), read
// at every paint so that the page only has to repaint after the colour changed.
class ColorSwatch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColorSwatch(std::function<Rgb()> color, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<Rgb()> color_;
};

} // namespace zephyra
