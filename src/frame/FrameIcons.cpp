#include "FrameIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <functional>

namespace zephyra {

namespace {

const QColor ink(40, 60, 110);
const QColor accent(220, 120, 20);

// Draws at twice the size so the icon stays sharp on high-density screens.
QIcon Drawn(int width, int height, const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(width * scale, height * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPainterPath Arrow(QPointF tip, double length, double half, bool right)
{
    const double dir = right ? 1.0 : -1.0;
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(tip.x() - dir * length, tip.y() - half);
    path.lineTo(tip.x() - dir * length, tip.y() + half);
    path.closeSubpath();
    return path;
}

QPainterPath Star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        i ? path.lineTo(point) : path.moveTo(point);
    }
    path.closeSubpath();
    return path;
}

void DrawSpiral(QPainter& p, QRectF r)
{
    QPainterPath path;
    const QPointF c = r.center();
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0 * 4 * M_PI;
        const double radius = (0.15 + 0.85 * i / 60.0) * r.width() / 2;
        const QPointF point(c.x() + radius * std::cos(t), c.y() + radius * 0.7 * std::sin(t));
        i ? path.lineTo(point) : path.moveTo(point);
    }
    p.setPen(QPen(accent, 1.4));
    p.drawPath(path);
}

void DrawMain(QPainter& p, int image)
{
    p.setPen(QPen(ink, 1.5));
    switch (image) {
    case 0: // Prev
    case 1: // Next
        p.fillPath(Arrow(image ? QPointF(19, 10) : QPointF(3, 10), 10, 7, image == 1), QColor(40, 140, 60));
        break;
    case 2: // Attractors: a little grid of case tiles
        for (int i = 0; i < 4; ++i)
            p.fillRect(QRectF(3 + (i % 2) * 8, 2 + (i / 2) * 8, 7, 7), i % 3 ? QColor(70, 110, 190) : accent);
        break;
    case 3: // Saved: a floppy
        p.fillRect(QRectF(4, 2, 14, 16), QColor(60, 90, 160));
        p.fillRect(QRectF(7, 2, 8, 5), Qt::white);
        p.fillRect(QRectF(6, 11, 10, 7), QColor(230, 230, 230));
        break;
    case 4: // Favorites: a star
        p.fillPath(Star(QPointF(11, 10.5), 8.5, 3.6), QColor(240, 190, 30));
        p.setPen(QPen(QColor(170, 120, 0), 1));
        p.drawPath(Star(QPointF(11, 10.5), 8.5, 3.6));
        break;
    case 5: // History: a clock
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(3, 2, 16, 16));
        p.drawLine(QPointF(11, 10), QPointF(11, 5));
        p.drawLine(QPointF(11, 10), QPointF(15, 12));
        break;
    case 6: // Antialiasing: a smooth and a jagged stroke
        p.setFont(QFont("Sans", 8, QFont::Bold));
        p.drawText(QRectF(0, 0, 22, 20), Qt::AlignCenter, "AA");
        break;
    case 7: // Settings: a cog
        p.setBrush(QColor(120, 120, 130));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(11, 10);
            p.rotate(i * 45);
            p.drawRect(QRectF(-1.6, -8.5, 3.2, 4));
            p.restore();
        }
        p.drawEllipse(QPointF(11, 10), 6, 6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(11, 10), 2.5, 2.5);
        break;
    case 8: // Cross
        p.setPen(QPen(QColor(200, 40, 40), 1.6));
        p.drawLine(QPointF(11, 2), QPointF(11, 18));
        p.drawLine(QPointF(3, 10), QPointF(19, 10));
        break;
    case 9: // Bounding box: a wire cube
        p.drawRect(QRectF(3, 6, 11, 11));
        p.drawPolyline(
            QPolygonF({QPointF(3, 6), QPointF(8, 2), QPointF(19, 2), QPointF(19, 13), QPointF(14, 17)}));
        p.drawLine(QPointF(14, 6), QPointF(19, 2));
        break;
    case 10: // Default colors: three colour dots
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 50, 50));
        p.drawEllipse(QPointF(8, 7), 4.5, 4.5);
        p.setBrush(QColor(50, 170, 60));
        p.drawEllipse(QPointF(14, 7), 4.5, 4.5);
        p.setBrush(QColor(50, 90, 220));
        p.drawEllipse(QPointF(11, 13), 4.5, 4.5);
        break;
    case 11: // Black and white: a half-filled disc
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(3, 2, 16, 16));
        p.setBrush(Qt::black);
        p.drawPie(QRectF(3, 2, 16, 16), 90 * 16, 180 * 16);
        break;
    case 12: { // Density: a glowing cloud on black
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(2, 1, 18, 18), 3, 3);
        QRadialGradient glow(QPointF(11, 10), 8);
        glow.setColorAt(0, QColor(255, 240, 200));
        glow.setColorAt(0.4, QColor(240, 120, 40));
        glow.setColorAt(1, QColor(60, 10, 80, 0));
        p.setBrush(glow);
        p.drawEllipse(QPointF(11, 10), 8, 6);
        break;
    }
    case 13: { // Gallery: a stack of pictures, the front one showing a loop of an orbit
        p.setPen(QPen(QColor(110, 110, 125), 1));
        p.setBrush(QColor(95, 120, 175));
        p.drawRoundedRect(QRectF(8.5, 1.5, 12, 11), 1.5, 1.5);
        p.setBrush(QColor(12, 12, 18));
        p.drawRoundedRect(QRectF(1.5, 6.5, 14, 12), 1.5, 1.5);
        QPainterPath loop;
        for (int i = 0; i <= 48; ++i) {
            const double t = i / 48.0 * 2 * M_PI;
            const QPointF point(8.5 + 5 * std::sin(t), 12.5 + 3.5 * std::sin(t) * std::cos(t));
            i ? loop.lineTo(point) : loop.moveTo(point);
        }
        p.setPen(QPen(QColor(250, 170, 60), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(loop);
        break;
    }
    default:
        DrawSpiral(p, QRectF(2, 2, 18, 16));
    }
}

void DrawSmall(QPainter& p, int image)
{
    const QColor green(40, 140, 60);
    switch (image) {
    case 0: // previous in sequence: |<
    case 1: // next in sequence: >|
    {
        const bool right = image == 1;
        p.fillPath(Arrow(right ? QPointF(12, 7.5) : QPointF(4, 7.5), 8, 5.5, right), ink);
        p.fillRect(right ? QRectF(12, 2, 2, 11) : QRectF(2, 2, 2, 11), ink);
        break;
    }
    case 7: // decrement position
    case 8: // increment position
        p.fillPath(Arrow(image == 8 ? QPointF(12, 7.5) : QPointF(4, 7.5), 8, 5.5, image == 8), accent);
        break;
    case 9: // Go
        p.fillPath(Arrow(QPointF(15, 7.5), 7, 7, true), green);
        p.fillRect(QRectF(1, 5, 8, 5), green);
        break;
    default:
        DrawSpiral(p, QRectF(1, 1, 14, 13));
    }
}

} // namespace

QIcon ToolbarIcon(int image)
{
    return Drawn(22, 20, [image](QPainter& p) { DrawMain(p, image); });
}

QIcon SmallToolbarIcon(int image)
{
    return Drawn(16, 15, [image](QPainter& p) { DrawSmall(p, image); });
}

QIcon ApplicationIcon()
{
    return Drawn(32, 32, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 30, 60));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        DrawSpiral(p, QRectF(3, 5, 26, 22));
    });
}

} // namespace zephyra
