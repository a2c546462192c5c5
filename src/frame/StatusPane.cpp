#include "StatusPane.h"

#include <QPainter>
#include <QStyle>

namespace zephyra {

StatusPane::StatusPane(QWidget* parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
}

void StatusPane::SetPreferredWidth(int width)
{
    preferredWidth_ = width;
    updateGeometry();
}

QSize StatusPane::sizeHint() const
{
    const QSize text = QLabel::sizeHint();
    return preferredWidth_ > 0 ? QSize(preferredWidth_, text.height()) : text;
}

// The layout keeps every pane at its width while the bar has room; where it has not, the layout
// takes the missing width from the widest panes first (the widget itself sets no minimum that
// would make it overlap its neighbour), so short texts stay whole longest.
QSize StatusPane::minimumSizeHint() const
{
    return sizeHint();
}

QString StatusPane::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, TextRect().width());
}

// Where a framed label puts its text: inside the frame, indented by half an "x".
QRect StatusPane::TextRect() const
{
    return contentsRect().adjusted(fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2, 0, 0, 0);
}

void StatusPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, TextRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                          ShownText(), foregroundRole());
}

} // namespace zephyra
