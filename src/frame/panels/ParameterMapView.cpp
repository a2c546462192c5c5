#include "ParameterMapView.h"

#include "BackgroundPriority.h"
#include "PictureImage.h"
#include "QueuedPost.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <thread>

namespace zephyra {

namespace {
// One wheel notch shows this share of each range.
constexpr double ZOOM_PER_NOTCH = 0.8;
// Narrower ranges than this share of their values would show the grid of double precision.
constexpr double NARROWEST_SPAN = 1e-12;
const QColor BACKGROUND(48, 48, 52);

// One core stays free for the window while the map is computed.
int MapThreads()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
}

bool SameMap(const MapSettings& a, const MapSettings& b)
{
    return a.width == b.width && a.height == b.height && a.x.low == b.x.low && a.x.high == b.x.high &&
           a.y.low == b.y.low && a.y.high == b.y.high;
}

// Enough decimals to tell neighbouring pixels apart.
QString ValueText(double value, const ParameterAxis& axis, int pixels)
{
    const double step = (axis.high - axis.low) / pixels;
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 3, 15);
    return QString::number(value, 'f', decimals);
}

// The axis scaled by `factor` about `value`.
ParameterAxis Zoomed(const ParameterAxis& axis, double value, double factor)
{
    return {axis.place, value - (value - axis.low) * factor, value + (axis.high - value) * factor};
}
} // namespace

ParameterMapView::ParameterMapView(QWidget* parent)
    : QWidget(parent), job_(QueuedPost(this), [this](MapPass pass) { Accept(std::move(pass)); })
{
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setMinimumSize(64, 64);
}

ParameterMapView::~ParameterMapView() = default;

void ParameterMapView::Show(const ParameterSystem& system, const ParameterAxis& x, const ParameterAxis& y)
{
    system_ = system;
    shown_ = true;
    asked_.x = x;
    asked_.y = y;
    Restart();
}

void ParameterMapView::SetMark(const std::optional<MapMark>& mark)
{
    mark_ = mark;
    Redraw();
}

void ParameterMapView::Stop()
{
    job_.Stop();
}

void ParameterMapView::Clear()
{
    job_.Stop();
    shown_ = false;
    values_.clear();
    divisor_ = 0;
    Redraw();
}

void ParameterMapView::Restart()
{
    asked_.width = asked_.height = MapRect().width();
    divisor_ = 0;
    const ParameterSystem system = system_;
    const MapSettings settings = asked_;
    const int threads = MapThreads();
    job_.Start([system, settings, threads](std::stop_token stop, const LatestJob<MapPass>::Deliver& deliver) {
        LowerThreadPriority();
        (void)ComputeMapPasses(
            system, settings, stop, [&](MapPass pass) { deliver(std::move(pass)); }, threads);
    });
    update();
}

void ParameterMapView::Accept(MapPass pass)
{
    drawn_ = asked_;
    values_ = std::move(pass.values);
    divisor_ = pass.divisor;
    if (divisor_ == 1)
        job_.Stop(); // the run has ended: nothing more comes from it
    Redraw();
    emit PassShown(divisor_);
}

void ParameterMapView::Redraw()
{
    picture_ = values_.empty() ? QImage() : ToQImage(MapPicture(values_, drawn_, mark_));
    update();
}

QRect ParameterMapView::MapRect() const
{
    const int side = std::max(1, std::min(width(), height()));
    return {(width() - side) / 2, 0, side, side};
}

QPoint ParameterMapView::PixelAt(QPointF position) const
{
    const QRect r = MapRect();
    const auto cell = [](double at, int pixels, int cells) {
        return std::clamp(static_cast<int>(std::floor(at * cells / pixels)), 0, cells - 1);
    };
    return {cell(position.x() - r.left(), r.width(), asked_.width),
            cell(position.y() - r.top(), r.height(), asked_.height)};
}

QString ParameterMapView::DescribePixel(QPoint pixel) const
{
    QString text = QString("#%1 = %2   #%3 = %4")
                       .arg(asked_.x.place)
                       .arg(ValueText(asked_.ColumnValue(pixel.x()), asked_.x, asked_.width))
                       .arg(asked_.y.place)
                       .arg(ValueText(asked_.RowValue(pixel.y()), asked_.y, asked_.height));
    if (divisor_ == 0 || !SameMap(drawn_, asked_))
        return text;
    const double lambda = values_[static_cast<std::size_t>(pixel.y()) * asked_.width + pixel.x()];
    if (IsEscape(lambda))
        return text + "   escape";
    // A coarse pass gives the value of the block's first pixel.
    return text +
           QString::fromUtf8("   \u03bb1 %1 %2").arg(divisor_ == 1 ? "=" : "\u2248").arg(lambda, 0, 'f', 3);
}

void ParameterMapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = MapRect();
    painter.fillRect(rect(), palette().window());
    painter.fillRect(r, BACKGROUND);
    if (picture_.isNull())
        return;
    // Where the ranges drawn lie among the ranges asked (the same unless a zoom or pan is pending).
    const double xSpan = asked_.x.high - asked_.x.low;
    const double ySpan = asked_.y.high - asked_.y.low;
    const QRectF target(QPointF((drawn_.x.low - asked_.x.low) / xSpan * r.width(),
                                (asked_.y.high - drawn_.y.high) / ySpan * r.height()),
                        QPointF((drawn_.x.high - asked_.x.low) / xSpan * r.width(),
                                (asked_.y.high - drawn_.y.low) / ySpan * r.height()));
    painter.setClipRect(r);
    painter.drawImage(target.translated(dragOffset_ + QPointF(r.topLeft())), picture_);
}

void ParameterMapView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (shown_ && MapRect().width() != asked_.width)
        Restart();
}

void ParameterMapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && MapRect().contains(event->position().toPoint()))
        pressedAt_ = event->position();
}

void ParameterMapView::mouseMoveEvent(QMouseEvent* event)
{
    if (pressedAt_ &&
        (event->position() - *pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
        dragOffset_ = event->position() - *pressedAt_;
        update();
        return;
    }
    if (MapRect().contains(event->position().toPoint()))
        emit Hovered(DescribePixel(PixelAt(event->position())));
    else
        emit Left();
}

void ParameterMapView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressedAt_)
        return;
    const QPointF offset = event->position() - *pressedAt_;
    pressedAt_.reset();
    dragOffset_ = {};
    if (offset.manhattanLength() < QApplication::startDragDistance()) {
        if (!shown_)
            return;
        const QPoint pixel = PixelAt(event->position());
        emit Picked(asked_.ColumnValue(pixel.x()), asked_.RowValue(pixel.y()));
        return;
    }
    // The picture follows the mouse: its left edge moves right, so lower values come into sight.
    const double dx = -offset.x() / asked_.width * (asked_.x.high - asked_.x.low);
    const double dy = offset.y() / asked_.height * (asked_.y.high - asked_.y.low);
    MoveTo({asked_.x.place, asked_.x.low + dx, asked_.x.high + dx},
           {asked_.y.place, asked_.y.low + dy, asked_.y.high + dy});
}

void ParameterMapView::wheelEvent(QWheelEvent* event)
{
    const QRect r = MapRect();
    if (!shown_ || event->angleDelta().y() == 0 || !r.contains(event->position().toPoint()))
        return;
    const double factor = std::pow(ZOOM_PER_NOTCH, event->angleDelta().y() / 120.0);
    const QPointF at = event->position() - QPointF(r.topLeft());
    const double x = asked_.x.low + at.x() / r.width() * (asked_.x.high - asked_.x.low);
    const double y = asked_.y.high - at.y() / r.height() * (asked_.y.high - asked_.y.low);
    const ParameterAxis zoomedX = Zoomed(asked_.x, x, factor);
    const ParameterAxis zoomedY = Zoomed(asked_.y, y, factor);
    const auto tooNarrow = [](const ParameterAxis& a) {
        return !(a.high - a.low > NARROWEST_SPAN * std::max({1.0, std::abs(a.low), std::abs(a.high)}));
    };
    if (tooNarrow(zoomedX) || tooNarrow(zoomedY) || !std::isfinite(zoomedX.high - zoomedX.low) ||
        !std::isfinite(zoomedY.high - zoomedY.low))
        return;
    MoveTo(zoomedX, zoomedY);
}

void ParameterMapView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit Left();
}

void ParameterMapView::MoveTo(const ParameterAxis& x, const ParameterAxis& y)
{
    asked_.x = x;
    asked_.y = y;
    Restart();
    emit RangesChanged(x, y);
}

} // namespace zephyra
