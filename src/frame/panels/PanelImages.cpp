#include "PanelImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace zephyra {
namespace {

constexpr int BUTTON_SIZE = 16;
constexpr int CLOSE_SIZE = 12;

QPixmap Transparent(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void DrawPage(QPainter& p)
{
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
}

void DrawCross(QPainter& p, const QColor& color, const QRectF& box, qreal width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void DrawFolderShape(QPainter& p, qreal s, bool open)
{
    const QColor back(214, 166, 50);
    const QColor front(246, 206, 92);
    p.setPen(QPen(QColor(150, 110, 20), s / 16));
    p.setBrush(back);
    QPainterPath tab;
    tab.moveTo(s * 0.06, s * 0.22);
    tab.lineTo(s * 0.38, s * 0.22);
    tab.lineTo(s * 0.46, s * 0.32);
    tab.lineTo(s * 0.94, s * 0.32);
    tab.lineTo(s * 0.94, s * 0.84);
    tab.lineTo(s * 0.06, s * 0.84);
    tab.closeSubpath();
    p.drawPath(tab);
    p.setBrush(front);
    if (open) {
        const QPolygonF lid{QPointF(s * 0.20, s * 0.44), QPointF(s * 0.99, s * 0.44),
                            QPointF(s * 0.86, s * 0.84), QPointF(s * 0.06, s * 0.84)};
        p.drawPolygon(lid);
    } else {
        p.drawRect(QRectF(s * 0.06, s * 0.40, s * 0.88, s * 0.44));
    }
}

void DrawButton(QPainter& p, int image)
{
    const QRectF box(4, 4, 8, 8);
    switch (image) {
    case IMAGE_CLEAR:
        DrawPage(p);
        DrawCross(p, QColor(200, 30, 30), box, 2);
        break;
    case IMAGE_OPEN:
        DrawFolderShape(p, BUTTON_SIZE, true);
        break;
    case IMAGE_SAVE:
        p.setPen(QColor(20, 40, 110));
        p.setBrush(QColor(50, 90, 190));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case IMAGE_ADD:
        p.setPen(QPen(QColor(30, 150, 40), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        break;
    case IMAGE_REMOVE:
        p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        break;
    case IMAGE_PREVIOUS:
    case IMAGE_NEXT: {
        const bool next = image == IMAGE_NEXT;
        const qreal tip = next ? 13 : 3;
        const qreal base = next ? 4 : 12;
        p.setPen(QColor(20, 60, 140));
        p.setBrush(QColor(60, 120, 220));
        p.drawPolygon(QPolygonF{QPointF(base, 2), QPointF(tip, 8), QPointF(base, 14)});
        break;
    }
    default:
        break;
    }
}

} // namespace

QIcon PanelButtonIcon(int image)
{
    QPixmap pixmap = Transparent(BUTTON_SIZE);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawButton(p, image);
    p.end();
    return QIcon(pixmap);
}

QIcon PanelCloseIcon()
{
    QPixmap pixmap = Transparent(CLOSE_SIZE);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawCross(p, QColor(40, 40, 40), QRectF(2.5, 2.5, 7, 7), 1.5);
    p.end();
    return QIcon(pixmap);
}

QIcon FolderIcon(int size)
{
    QIcon icon;
    for (const bool open : {false, true}) {
        QPixmap pixmap = Transparent(size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        DrawFolderShape(p, size, open);
        p.end();
        icon.addPixmap(pixmap, open ? QIcon::Selected : QIcon::Normal);
    }
    return icon;
}

QIcon CaseIcon(char letter, int size)
{
    QPixmap pixmap = Transparent(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(30, 60, 120));
    p.setBrush(QColor(220, 232, 250));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    p.setFont(font);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(QChar(letter)));
    p.end();
    return QIcon(pixmap);
}

} // namespace zephyra
