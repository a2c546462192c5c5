#include "ColorSwatch.h"

#include "ColorChannel.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace zephyra {

ColorSwatch::ColorSwatch(std::function<Rgb()> color, QWidget* parent)
    : QAbstractButton(parent), color_(std::move(color))
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize ColorSwatch::sizeHint() const
{
    const int height = fontMetrics().height() + 8;
    return QSize(height * 2, height);
}

void ColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(area, ToQColor(color_()));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(area);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace zephyra
