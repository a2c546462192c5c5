#include "MeasurementCharts.h"

#include "CorrelationFit.h"
#include "LyapunovExponents.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace zephyra {

namespace {
constexpr std::array<QRgb, 4> EXPONENT_COLOURS = {0xffe4572e, 0xff29a3d6, 0xff76b041, 0xffffc914};
constexpr QRgb OUTSIDE_RANGE = 0xff6c7080;
constexpr QRgb INSIDE_RANGE = 0xff29a3d6;
constexpr QRgb FITTED_LINE = 0xffe4572e;
constexpr int TITLE_POINT_SIZE = 9;
// Small enough that a narrow panel keeps its axis labels whole.
constexpr int LABEL_POINT_SIZE = 7;
constexpr int SETTLED_STEPS = 1000;
// About this many intervals between the ticks of a value axis.
constexpr double TICK_INTERVALS = 4.0;

QFont PointSized(QFont font, int points)
{
    font.setPointSize(points);
    return font;
}

// The chart in the colours of the window, whatever the desktop's theme.
QChart* NewChart(const QString& title, const QPalette& palette)
{
    auto* chart = new QChart;
    chart->setBackgroundBrush(palette.base());
    chart->setBackgroundPen(Qt::NoPen);
    chart->setTitle(title);
    chart->setTitleBrush(palette.text());
    chart->setTitleFont(PointSized(chart->titleFont(), TITLE_POINT_SIZE));
    // A short panel leaves the charts little height: every pixel of padding goes to the plot.
    chart->setMargins(QMargins(2, 0, 4, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(PointSized(chart->legend()->font(), LABEL_POINT_SIZE));
    chart->legend()->setLabelColor(palette.color(QPalette::Text));
    return chart;
}

void Prepare(QChartView& view, const QString& title)
{
    view.setRenderHint(QPainter::Antialiasing);
    view.setBackgroundBrush(view.palette().base());
    view.setChart(NewChart(title, view.palette()));
}

// Ticks at round values (1, 2 or 5 times a power of ten) over the range, labelled with the
// decimals such a step needs.
void RoundTicks(QValueAxis* axis, double low, double high)
{
    const double rough = std::max(high - low, 1e-9) / TICK_INTERVALS;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10.0 * power;
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    axis->setRange(low, high);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    axis->setLabelFormat(QString("%.%1f").arg(decimals));
}

// Attaches both axes to every series of the chart.
void Attach(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, const QPalette& palette)
{
    for (QAbstractAxis* axis : {x, y}) {
        axis->setLabelsFont(PointSized(axis->labelsFont(), LABEL_POINT_SIZE));
        axis->setTitleFont(PointSized(axis->titleFont(), LABEL_POINT_SIZE));
        axis->setLabelsBrush(palette.text());
        axis->setTitleBrush(palette.text());
        axis->setLinePenColor(palette.color(QPalette::Mid));
        axis->setGridLineColor(palette.color(QPalette::Midlight));
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

void ClearChart(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
}

QString ExponentName(std::size_t k)
{
    return QString::fromUtf8("\u03bb%1").arg(k + 1);
}
} // namespace

ConvergenceChart::ConvergenceChart(QWidget* parent) : QChartView(parent)
{
    Prepare(*this, "Lyapunov exponents, bits per step");
}

void ConvergenceChart::Clear()
{
    ClearChart(chart());
}

void ConvergenceChart::Show(const SpectrumResult& spectrum)
{
    Clear();
    if (spectrum.history.empty())
        return;
    QChart* c = chart();
    const std::size_t n = spectrum.exponents.size();
    double low = 0.0, high = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        auto* line = new QLineSeries;
        line->setName(ExponentName(k));
        line->setColor(QColor::fromRgb(EXPONENT_COLOURS[k % EXPONENT_COLOURS.size()]));
        for (std::size_t s = 0; s < spectrum.history.size(); ++s) {
            const double v = spectrum.history[s][k];
            // A logarithmic axis labels its decades "1e+03" and the like; the exponent of ten alone
            // is one digit.
            line->append(std::log10(static_cast<double>(spectrum.historySteps[s])), v);
            // The first estimates swing widely; the scale follows those from a thousand steps on.
            if (spectrum.historySteps[s] >= SETTLED_STEPS) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
        c->addSeries(line);
    }
    auto* x = new QValueAxis;
    x->setTitleText("log\u2081\u2080 steps");
    auto* y = new QValueAxis;
    Attach(c, x, y, palette());
    RoundTicks(x, std::log10(static_cast<double>(spectrum.historySteps.front())),
               std::log10(static_cast<double>(spectrum.historySteps.back())));
    const double margin = 0.08 * std::max(high - low, 0.01);
    RoundTicks(y, low - margin, high + margin);
}

CorrelationChart::CorrelationChart(QWidget* parent) : QChartView(parent)
{
    Prepare(*this, "Correlation integral, log\u2081\u2080 C(r)");
}

void CorrelationChart::Clear()
{
    ClearChart(chart());
}

void CorrelationChart::Show(const CorrelationFit& fit)
{
    Clear();
    if (fit.logRadius.empty())
        return;
    QChart* c = chart();
    auto* outside = new QScatterSeries;
    outside->setName("C(r)");
    outside->setMarkerSize(5.0);
    outside->setColor(QColor::fromRgb(OUTSIDE_RANGE));
    outside->setBorderColor(Qt::transparent);
    auto* inside = new QScatterSeries;
    inside->setName("scaling range");
    inside->setMarkerSize(6.0);
    inside->setColor(QColor::fromRgb(INSIDE_RANGE));
    inside->setBorderColor(Qt::transparent);
    for (std::size_t k = 0; k < fit.logRadius.size(); ++k) {
        const bool fitted = static_cast<int>(k) >= fit.first && static_cast<int>(k) <= fit.last;
        (fitted ? inside : outside)->append(fit.logRadius[k], fit.logCorrelation[k]);
    }
    c->addSeries(outside);
    c->addSeries(inside);
    if (fit.Fitted()) {
        auto* line = new QLineSeries;
        line->setName(QString("slope %1").arg(fit.slope, 0, 'f', 3));
        QPen pen(QColor::fromRgb(FITTED_LINE));
        pen.setWidthF(1.5);
        line->setPen(pen);
        for (const int k : {fit.first, fit.last})
            line->append(fit.logRadius[k], fit.intercept + fit.slope * fit.logRadius[k]);
        c->addSeries(line);
    }
    auto* x = new QValueAxis;
    x->setTitleText("log\u2081\u2080 r / extent");
    auto* y = new QValueAxis;
    Attach(c, x, y, palette());
    RoundTicks(x, fit.logRadius.front() - 0.1, fit.logRadius.back() + 0.1);
    const auto [lo, hi] = std::minmax_element(fit.logCorrelation.begin(), fit.logCorrelation.end());
    RoundTicks(y, *lo - 0.2, *hi + 0.2);
}

} // namespace zephyra
