#pragma once
#include "CPanel.h"
#include "FullMeasurement.h"

#include <memory>
#include <string>

class QTabWidget;
class QTreeWidgetItem;

namespace zephyra {

class ConvergenceChart;
class CorrelationChart;
class MeasurementWorker;

// The Measurements panel: beside l and f of the status bar, the whole Lyapunov spectrum with its
// error bars, the sum against the mean ln|det J| or divergence, the Kaplan-Yorke dimension and the
// correlation dimension's fitted slope, with a plot of each estimate's convergence and of log C(r),
// one at a time on two tabs, so that each keeps room for its labels in a short panel.
// The figures are computed on a worker after each run while the panel is shown; a new attractor
// stops the old measurement.
class CPanelMeasurements : public CPanel {
    Q_OBJECT
public:
    CPanelMeasurements(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);
    ~CPanelMeasurements() override;

    void OnUpdate(int hint) override;

    [[nodiscard]] MeasurementWorker& Worker() const { return *worker_; }
    [[nodiscard]] ConvergenceChart* Convergence() const { return convergence_; }
    [[nodiscard]] CorrelationChart* Correlation() const { return correlation_; }
    // The text of the figure row of that name ("l1", "Kaplan-Yorke", ...), empty when absent.
    [[nodiscard]] QString Figure(const QString& name) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Starts measuring the document's current attractor unless it is the one measured or measuring.
    void MeasureCurrent();
    // The figures at the top, as high as their rows need, and the charts' tabs below them.
    void LayOut();
    void ShowProgress(double fraction);
    void ShowResult(const std::shared_ptr<const FullMeasurement>& m);
    void ShowMessage(const QString& text);
    QTreeWidgetItem* AddFigure(const QString& name, const QString& value);

    MeasurementWorker* worker_ = nullptr;
    QTabWidget* charts_ = nullptr;
    ConvergenceChart* convergence_ = nullptr;
    CorrelationChart* correlation_ = nullptr;
    std::string measured_; // what the figures belong to (code and start point); empty for none
};

} // namespace zephyra
