#include "CPageAttractor.h"

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

CPageAttractor::CPageAttractor(DocumentSettings& general, AttractorRef current, QWidget* parent)
    : CPageDefaults(tr("Attractor & General"), &settingsCopy, ResetButton::Hidden, parent),
      points(current ? current->pointsCount : 0), fov(current ? current->fov : 0.0f),
      attractor(std::move(current)), settingsCopy(attractor ? attractor->display : DisplaySettings{}),
      general(&general)
{
    points_ = AddEdit("points");
    fov_ = AddEdit("fov");
    leftForm->addRow(tr("Points"), points_);
    rightForm->addRow(tr("Fov"), fov_);

    auto* generalBox = new QGroupBox(tr("General"));
    auto* form = new QFormLayout(generalBox);
    defaultPoints_ = AddEdit("defaultPointsCount");
    antialias_ = AddChoice("antialias", {"2x2", "4x4"});
    historyLimit_ = AddEdit("historyLimit");
    form->addRow(tr("Points"), defaultPoints_);
    form->addRow(tr("Antialiasing"), antialias_);
    form->addRow(new QLabel(tr("Number of attractors to keep in history after quit\n(-1 to save them all)")),
                 historyLimit_);
    pageLayout->insertWidget(1, generalBox);

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
    exchange.Integer(historyLimit_, general->historyLimit);
    if (attractor) {
        exchange.Integer(points_, points, 0, MAX_POINTS);
        exchange.Number(fov_, fov, 0.0f, MAX_FOV);
    }
    exchange.Integer(defaultPoints_, general->defaults.defaultPointsCount, 0, MAX_POINTS);
    exchange.Choice(antialias_, general->antialias);
}

std::optional<float> CPageAttractor::TakenFov() const
{
    if (!attractor)
        return std::nullopt;
    return fov;
}

std::optional<AttractorSettings> CPageAttractor::Edited() const
{
    if (!attractor)
        return std::nullopt;
    return AttractorSettings{points, fov, settingsCopy};
}

void CPageAttractor::OnApplied()
{
    if (!attractor)
        return;
    points = attractor->pointsCount;
    UpdateData(false);
}

void CPageAttractor::OnDefaults()
{
    if (!UpdateData(true))
        return;
    points = general->defaults.defaultPointsCount;
    if (const DisplaySettings* defaults = DefaultsOfDimension(general->defaults, attractor->dimension))
        settingsCopy = *defaults;
    SetModified(true);
    Refresh();
}

} // namespace zephyra
