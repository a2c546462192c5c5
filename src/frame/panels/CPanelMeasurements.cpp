#include "CPanelMeasurements.h"

#include "CZephyraDoc.h"
#include "MeasurementCharts.h"
#include "MeasurementFigures.h"
#include "MeasurementWorker.h"
#include "StatusTexts.h"
#include "UpdateHints.h"

#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {
constexpr int MINIMUM_WIDTH = 300;
// The charts keep this much of a short panel, room for their titles, labels and legends; the
// figures take the rest they need.
constexpr int LEAST_CHARTS_HEIGHT = 200;

QString Fixed(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

// What the figures belong to: the orbit's code and start point.
std::string Identity(const Attractor& a)
{
    const DisplaySettings& d = a.display;
    return a.code + ' ' + std::to_string(d.x0) + ' ' + std::to_string(d.y0) + ' ' + std::to_string(d.z0) +
           ' ' + std::to_string(d.w0);
}
} // namespace

CPanelMeasurements::CPanelMeasurements(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanel("Measurements", doc, std::move(sendCommand), parent), worker_(new MeasurementWorker(this))
{
    Build();
    Tree()->setColumnCount(2);
    Tree()->setRootIsDecorated(false);
    Tree()->setSelectionMode(QAbstractItemView::NoSelection);
    // A long figure wraps in a narrow panel instead of ending in "...".
    Tree()->setWordWrap(true);
    Tree()->setTextElideMode(Qt::ElideNone);
    Tree()->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    charts_ = new QTabWidget(this);
    charts_->setDocumentMode(true);
    convergence_ = new ConvergenceChart(charts_);
    correlation_ = new CorrelationChart(charts_);
    charts_->addTab(convergence_, "Exponents");
    charts_->addTab(correlation_, "Correlation");
    connect(worker_, &MeasurementWorker::Progressed, this, &CPanelMeasurements::ShowProgress);
    connect(worker_, &MeasurementWorker::Finished, this, &CPanelMeasurements::ShowResult);
    setMinimumWidth(MINIMUM_WIDTH);
}

CPanelMeasurements::~CPanelMeasurements()
{
    worker_->Stop();
}

void CPanelMeasurements::OnUpdate(int hint)
{
    if (isVisible() && (hint == UH_REDRAW || hint == UH_ALL))
        MeasureCurrent();
}

void CPanelMeasurements::MeasureCurrent()
{
    const AttractorRef& a = doc_.current;
    if (!a || !doc_.buffer.ready) {
        worker_->Stop();
        measured_.clear();
        Tree()->clear();
        convergence_->Clear();
        correlation_->Clear();
        return;
    }
    const std::string identity = Identity(*a);
    if (identity == measured_)
        return;
    measured_ = identity;
    Tree()->clear();
    convergence_->Clear();
    correlation_->Clear();
    AddFigure("Code", QString::fromStdString(a->code));
    AddFigure("l", Fixed(a->lyapunov, 3));
    AddFigure("f", Fixed(a->fractalDim, 3));
    ShowMessage("Measuring...");
    worker_->Start(OrbitSystem::Of(*a), SpectrumSettings());
}

void CPanelMeasurements::ShowProgress(double fraction)
{
    ShowMessage(QString("Measuring... %1%").arg(static_cast<int>(100.0 * fraction)));
}

void CPanelMeasurements::ShowMessage(const QString& text)
{
    const QList<QTreeWidgetItem*> rows = Tree()->findItems("Status", Qt::MatchExactly, 0);
    if (rows.isEmpty())
        AddFigure("Status", text);
    else
        rows.front()->setText(1, text);
}

QTreeWidgetItem* CPanelMeasurements::AddFigure(const QString& name, const QString& value)
{
    auto* row = new QTreeWidgetItem(Tree(), {name, value});
    row->setToolTip(1, value);
    LayOut();
    return row;
}

QString CPanelMeasurements::Figure(const QString& name) const
{
    const QList<QTreeWidgetItem*> rows = Tree()->findItems(name, Qt::MatchExactly, 0);
    return rows.isEmpty() ? QString() : rows.front()->text(1);
}

void CPanelMeasurements::ShowResult(const std::shared_ptr<const FullMeasurement>& m)
{
    const SpectrumResult& s = m->spectrum;
    if (s.status != SpectrumStatus::Measured) {
        ShowMessage(SpectrumFailureText(s.status));
        return;
    }
    delete Tree()->findItems("Status", Qt::MatchExactly, 0).value(0);
    const std::string step = MeasurementStepText(s);
    AddFigure("Units", QString::fromUtf8(MEASUREMENT_UNITS) +
                           (step.empty() ? QString() : ", " + QString::fromUtf8(step)));
    for (const MeasurementFigure& f : MeasurementFigures(*m)) {
        const QString label =
            f.exponent > 0 ? QString::fromUtf8("\u03bb%1").arg(f.exponent) : QString::fromStdString(f.label);
        QTreeWidgetItem* row = AddFigure(label, QString::fromStdString(f.ValueText("\u00b1")));
        if (!f.note.empty())
            row->setToolTip(1, QString::fromStdString(f.note));
    }
    Tree()->resizeColumnToContents(0);
    convergence_->Show(s);
    correlation_->Show(m->correlation);
    LayOut();
}

void CPanelMeasurements::resizeEvent(QResizeEvent* event)
{
    CPanel::resizeEvent(event);
    LayOut();
}

void CPanelMeasurements::LayOut()
{
    const int rest = std::max(0, height() - BANDS_HEIGHT);
    // Every figure in sight where the charts of their least height leave room for them.
    const int figures = std::min(Tree()->sizeHint().height(), std::max(0, rest - LEAST_CHARTS_HEIGHT));
    Tree()->setGeometry(0, BANDS_HEIGHT, width(), figures);
    charts_->setGeometry(0, BANDS_HEIGHT + figures, width(), rest - figures);
}

void CPanelMeasurements::showEvent(QShowEvent* event)
{
    CPanel::showEvent(event);
    MeasureCurrent();
}

void CPanelMeasurements::hideEvent(QHideEvent* event)
{
    // A hidden panel measures nothing; showing it again measures anew.
    if (worker_->Running())
        measured_.clear();
    worker_->Stop();
    CPanel::hideEvent(event);
}

} // namespace zephyra
