#pragma once
#include "LatestJob.h"
#include "MapPasses.h"
#include "MapPicture.h"

#include <QImage>
#include <QWidget>

#include <optional>
#include <vector>

namespace zephyra {

// The Lyapunov map of the Parameter Map panel, a square at the top of the widget, one map pixel a
// widget pixel: computed on a worker
// from coarse to fine (each pass replaces the picture), restarted whenever the system, the ranges
// or the size change. The picture of the ranges before stays where the new ranges put it until the
// first pass of the new ones arrives. Hover names the two values and λ1, a click picks the point,
// the wheel zooms about the mouse and a drag pans.
class ParameterMapView : public QWidget {
    Q_OBJECT
public:
    explicit ParameterMapView(QWidget* parent = nullptr);
    ~ParameterMapView() override;

    // Computes the map of `system` over these axes (a copy: the worker never sees the document).
    void Show(const ParameterSystem& system, const ParameterAxis& x, const ParameterAxis& y);
    // Moves the cross without computing anew.
    void SetMark(const std::optional<MapMark>& mark);
    // Stops the worker; the picture stays.
    void Stop();
    // Drops the map: the widget shows nothing until the next Show.
    void Clear();

    // The map asked for (ranges and size), and how far it has come: the divisor of the pass shown
    // (1: the whole map), 0 before the first.
    [[nodiscard]] const MapSettings& Settings() const { return asked_; }
    [[nodiscard]] int ShownDivisor() const { return divisor_; }
    [[nodiscard]] bool Finished() const { return divisor_ == 1; }
    // A worker is on the map asked (not stopped, not finished).
    [[nodiscard]] bool Computing() const { return job_.Running(); }
    // λ1 of every pixel of the pass shown (spread over the whole map), row by row.
    [[nodiscard]] const std::vector<double>& Values() const { return values_; }
    [[nodiscard]] const std::optional<MapMark>& Mark() const { return mark_; }
    // Where the map lies in the widget: the largest square at the top, centred across.
    [[nodiscard]] QRect MapRect() const;
    // The map pixel (column, row) under a widget position.
    [[nodiscard]] QPoint PixelAt(QPointF position) const;
    // The two values and λ1 there, as the line under the map says them.
    [[nodiscard]] QString DescribePixel(QPoint pixel) const;

signals:
    void PassShown(int divisor);
    void Picked(double x, double y);
    void Hovered(const QString& text);
    void Left();
    // The user zoomed or panned.
    void RangesChanged(const zephyra::ParameterAxis& x, const zephyra::ParameterAxis& y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Restart();
    void Accept(MapPass pass);
    void Redraw();
    // Asks for new ranges after a zoom or pan, and says so.
    void MoveTo(const ParameterAxis& x, const ParameterAxis& y);

    ParameterSystem system_;
    bool shown_ = false; // Show was called since the last Clear
    MapSettings asked_;
    MapSettings drawn_; // what values_ and picture_ are of
    std::vector<double> values_;
    int divisor_ = 0;
    std::optional<MapMark> mark_;
    QImage picture_;
    std::optional<QPointF> pressedAt_;
    QPointF dragOffset_;     // while a drag moves the picture
    LatestJob<MapPass> job_; // last: its threads end before the fields they deliver to
};

} // namespace zephyra
