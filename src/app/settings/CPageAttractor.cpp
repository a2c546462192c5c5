#include "CPageAttractor.h"

#include "CZephyraDoc.h"
#include "DataExchange.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace zephyra {

namespace {

constexpr std::int32_t MAX_POINTS = std::numeric_limits<std::int32_t>::max();
constexpr float MAX_FOV = 180.0f;

bool SameStartPoint(const DisplaySettings& a, const DisplaySettings& b)
{
    return a.x0 == b.x0 && a.y0 == b.y0 && a.z0 == b.z0 && a.w0 == b.w0;
}

// The defaults block of a dimension; none for a dimension without one.
const DisplaySettings* DefaultsOfDimension(const AttractorDefaults& defaults, int dimension)
{
    switch (dimension) {
    case 2:
        return &defaults.defaults2D;
    case 3:
        return &defaults.defaults3D;
    case 4:
        return &defaults.defaults4D;
    default:
        return nullptr;
    }
}

} // namespace

CPageAttractor::CPageAttractor(CZephyraDoc& document, AttractorRef current, QWidget* parent)
    : CPageDefaults(tr("Attractor & General"), document, &settingsCopy, ResetButton::Hidden, parent),
      points(current ? current->pointsCount : 0), attractor(std::move(current)),
      settingsCopy(attractor ? attractor->display : DisplaySettings{})
{
    points_ = AddEdit("points");
    fov_ = AddEdit("fov");
    leftForm->addRow(tr("Points"), points_);
    rightForm->addRow(tr("Fov"), fov_);

    auto* general = new QGroupBox(tr("General"));
    auto* form = new QFormLayout(general);
    defaultPoints_ = AddEdit("defaultPointsCount");
    antialias_ = AddChoice("antialias", {"2x2", "4x4"});
    historyLimit_ = AddEdit("historyLimit");
    form->addRow(tr("Points"), defaultPoints_);
    form->addRow(tr("Antialiasing"), antialias_);
    form->addRow(new QLabel(tr("Number of attractors to keep in history after quit\n(-1 to save them all)")),
                 historyLimit_);
    pageLayout->insertWidget(1, general);

    auto* defaults = new QPushButton(tr("Defaults"));
    defaults->setObjectName("defaults");
    buttonRow->addWidget(defaults);
    connect(defaults, &QPushButton::clicked, this, &CPageAttractor::OnDefaults);
    // Without a current attractor (its points could not be had) only the general settings apply:
    // the user comes here to lower the point count.
    if (!attractor) {
        points_->parentWidget()->setEnabled(false);
        defaults->setEnabled(false);
    }
}

void CPageAttractor::DoDataExchange(DataExchange& exchange)
{
    CPageDefaults::DoDataExchange(exchange);
    exchange.Integer(historyLimit_, document->historyLimit);
    if (attractor) {
        exchange.Integer(points_, points, 0, MAX_POINTS);
        exchange.Number(fov_, attractor->fov, 0.0f, MAX_FOV);
    }
    exchange.Integer(defaultPoints_, document->defaults.defaultPointsCount, 0, MAX_POINTS);
    exchange.Choice(antialias_, document->antialias);
}

bool CPageAttractor::ApplyToAttractor()
{
    if (!UpdateData(true))
        return false;
    if (!attractor)
        return true;
    const bool recompute =
        points != attractor->pointsCount || !SameStartPoint(settingsCopy, attractor->display);
    attractor->display = settingsCopy;
    if (recompute) {
        attractor->pointsCount = points;
        // A failed or cancelled run has already said so in the status bar. A run cancelled late
        // keeps its partial orbit and count: the page shows that count, so that the OK step that
        // follows does not start the run the user has just stopped all over again.
        (void)document->ComputePoints(attractor, true, false, nullptr);
        points = attractor->pointsCount;
        points_->setText(QString::number(points));
    }
    document->OnSettingsApplied();
    return true;
}

// The framework's apply ends in the OK step, which repeats the same work; the second round
// finds nothing changed and only redraws.
bool CPageAttractor::OnApply()
{
    return ApplyToAttractor() && SettingsPage::OnApply();
}

void CPageAttractor::OnOK()
{
    (void)ApplyToAttractor();
}

void CPageAttractor::OnDefaults()
{
    if (!UpdateData(true))
        return;
    points = document->defaults.defaultPointsCount;
    if (const DisplaySettings* defaults = DefaultsOfDimension(document->defaults, attractor->dimension))
        settingsCopy = *defaults;
    SetModified(true);
    Refresh();
}

} // namespace zephyra
