#pragma once
#include <QChartView>

namespace zephyra {

struct CorrelationFit;
struct SpectrumResult;

// The running estimate of every Lyapunov exponent against the steps measured (log scale), one line
// and one colour per exponent: converging lines show that the estimate has settled.
class ConvergenceChart : public QChartView {
    Q_OBJECT
public:
    explicit ConvergenceChart(QWidget* parent = nullptr);
    void Show(const SpectrumResult& spectrum);
    void Clear();
};

// log C(r) against log r: the measured points, those of the scaling range brighter, and the fitted
// line over that range, whose slope is the correlation dimension.
class CorrelationChart : public QChartView {
    Q_OBJECT
public:
    explicit CorrelationChart(QWidget* parent = nullptr);
    void Show(const CorrelationFit& fit);
    void Clear();
};

} // namespace zephyra
