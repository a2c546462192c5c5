#include "CPanelParameterMap.h"

#include "AtomicFile.h"
#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "OrbitDiagramView.h"
#include "PanelImages.h"
#include "ParameterMapView.h"
#include "ParameterRecord.h"
#include "UpdateHints.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {
constexpr int MINIMUM_WIDTH = 400;

// Neither an absent term (0) nor a plain copy of a coordinate (1, -1): sweeping such a value
// seldom shows much.
bool Telling(double value)
{
    return value != 0.0 && std::abs(value) != 1.0;
}

// The first two places whose values are telling (Hénon's a and b), else the first two.
std::pair<int, int> DefaultPlaces(const Attractor& a)
{
    std::vector<int> places;
    for (int i = 1; i <= a.CoefficientsCount() && places.size() < 2; ++i)
        if (Telling(a.CoefficientOf(i)))
            places.push_back(i);
    if (places.size() < 2)
        return {1, 2};
    return {places[0], places[1]};
}

// The system without the values of the two places: what must stay the same for a map to stay.
ParameterSystem Without(ParameterSystem system, int x, int y)
{
    system.coefficients[static_cast<std::size_t>(x)] = 0.0;
    system.coefficients[static_cast<std::size_t>(y)] = 0.0;
    if (system.IsPolynomial())
        system.pointsCount = 0; // only the special maps' steps depend on it
    return system;
}

QString RangeLine(const ParameterAxis& axis)
{
    return QString("#%1 from %2 to %3").arg(axis.place).arg(axis.low, 0, 'g', 8).arg(axis.high, 0, 'g', 8);
}
} // namespace

CPanelParameterMap::CPanelParameterMap(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanel("Parameter Map", doc, std::move(sendCommand), parent)
{
    Build();
    Tree()->hide();
    body_ = new QWidget(this);
    auto* layout = new QVBoxLayout(body_);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* choices = new QHBoxLayout;
    across_ = new QComboBox(body_);
    across_->setObjectName("mapAcross");
    across_->setToolTip("The coefficient across the map, and of the orbit diagram");
    upwards_ = new QComboBox(body_);
    upwards_->setObjectName("mapUpwards");
    upwards_->setToolTip("The coefficient up the map");
    choices->addWidget(new QLabel("Across", body_));
    choices->addWidget(across_, 1);
    choices->addWidget(new QLabel("Up", body_));
    choices->addWidget(upwards_, 1);
    layout->addLayout(choices);
    tabs_ = new QTabWidget(body_);
    map_ = new ParameterMapView(tabs_);
    map_->setObjectName("lyapunovMap");
    diagram_ = new OrbitDiagramView(tabs_);
    diagram_->setObjectName("orbitDiagram");
    tabs_->addTab(map_, "Lyapunov map");
    tabs_->addTab(diagram_, "Orbit diagram");
    layout->addWidget(tabs_, 1);
    line_ = new QLabel(body_);
    line_->setObjectName("mapLine");
    line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line_->setToolTip(QString::fromUtf8("\u03bb1, the largest Lyapunov exponent, in bits a step"));
    layout->addWidget(line_);

    connect(across_, &QComboBox::currentIndexChanged, this, [this] { Choose(true); });
    connect(upwards_, &QComboBox::currentIndexChanged, this, [this] { Choose(false); });
    connect(map_, &ParameterMapView::PassShown, this, &CPanelParameterMap::SayState);
    connect(map_, &ParameterMapView::Hovered, this, &CPanelParameterMap::Say);
    connect(map_, &ParameterMapView::Left, this, &CPanelParameterMap::SayState);
    connect(map_, &ParameterMapView::Picked, this, &CPanelParameterMap::OpenAt);
    connect(map_, &ParameterMapView::RangesChanged, this,
            [this](const ParameterAxis& x, const ParameterAxis&) {
                if (doc_.current())
                    diagram_->Show(ParameterSystem::Of(*doc_.current()), x);
                SayState();
            });
    setMinimumWidth(MINIMUM_WIDTH);
}

CPanelParameterMap::~CPanelParameterMap() = default;

void CPanelParameterMap::SetupButtons()
{
    AddButton(cmd::ID_PARAMETER_MAP_EXPORT, "Export", IMAGE_SAVE);
    AddButton(cmd::ID_PARAMETER_MAP_RESET, "Reset", IMAGE_CLEAR);
}

bool CPanelParameterMap::HandleCommand(int id)
{
    switch (id) {
    case cmd::ID_PARAMETER_MAP_EXPORT:
        ExportWithDialog();
        return true;
    case cmd::ID_PARAMETER_MAP_RESET:
        Follow(true);
        return true;
    default:
        return false;
    }
}

void CPanelParameterMap::OnUpdate(int hint)
{
    if (isVisible() && (hint == UH_REDRAW || hint == UH_ALL))
        Follow(false);
}

void CPanelParameterMap::Follow(bool anew)
{
    const AttractorRef& a = doc_.current();
    const ParameterSystem system = a ? ParameterSystem::Of(*a) : ParameterSystem();
    QString refusal = QString::fromStdString(MapRefusal(system));
    if (refusal.isEmpty() && a->CoefficientsCount() < 2)
        refusal = "a map needs two coefficients";
    if (!refusal.isEmpty()) {
        map_->Clear();
        diagram_->Clear();
        mapped_ = {};
        Say("No map: " + refusal);
        return;
    }
    FillChoices();
    const int x = across_->currentIndex() + 1;
    const int y = upwards_->currentIndex() + 1;
    const MapSettings& shown = map_->Settings();
    if (!anew && mapped_.valid && shown.x.place == x && shown.y.place == y &&
        Without(system, x, y) == mapped_) {
        // The same map; the cross moves, and the diagram follows the value up the map. A map the
        // hidden panel stopped goes on.
        if (!map_->Finished() && !map_->Computing())
            map_->Show(system, shown.x, shown.y);
        diagram_->Show(system, shown.x);
        ShowMarks();
        return;
    }
    ShowMap(DefaultAxis(system, x), DefaultAxis(system, y));
}

void CPanelParameterMap::FillChoices()
{
    const Attractor& a = *doc_.current();
    const int count = a.CoefficientsCount();
    const bool sameCase = a.CaseLetter() == letter_ && across_->count() == count;
    auto [x, y] =
        sameCase ? std::pair(across_->currentIndex() + 1, upwards_->currentIndex() + 1) : DefaultPlaces(a);
    filling_ = true;
    if (!sameCase) {
        across_->clear();
        upwards_->clear();
    }
    for (int i = 1; i <= count; ++i) {
        const QString text = QString("%1: %2  (%3)")
                                 .arg(i)
                                 .arg(QChar(a.code[static_cast<std::size_t>(i)]))
                                 .arg(a.CoefficientOf(i), 0, 'g', 6);
        for (QComboBox* box : {across_, upwards_}) {
            if (sameCase)
                box->setItemText(i - 1, text);
            else
                box->addItem(text);
        }
    }
    across_->setCurrentIndex(x - 1);
    upwards_->setCurrentIndex(y - 1);
    letter_ = a.CaseLetter();
    filling_ = false;
}

void CPanelParameterMap::Choose(bool acrossChanged)
{
    if (filling_)
        return;
    // One coefficient on both axes makes no map: the other takes the place this one left.
    if (across_->currentIndex() == upwards_->currentIndex()) {
        const MapSettings& shown = map_->Settings();
        filling_ = true;
        if (acrossChanged)
            upwards_->setCurrentIndex(shown.x.place - 1);
        else
            across_->setCurrentIndex(shown.y.place - 1);
        filling_ = false;
    }
    Follow(true);
}

void CPanelParameterMap::ShowMap(const ParameterAxis& x, const ParameterAxis& y)
{
    const ParameterSystem system = ParameterSystem::Of(*doc_.current());
    mapped_ = Without(system, x.place, y.place);
    map_->Show(system, x, y);
    diagram_->Show(system, x);
    ShowMarks();
    SayState();
}

void CPanelParameterMap::ShowMarks()
{
    const MapSettings& shown = map_->Settings();
    const MapMark mark{doc_.current()->CoefficientOf(shown.x.place),
                       doc_.current()->CoefficientOf(shown.y.place)};
    const std::optional<MapMark>& old = map_->Mark();
    if (!old || old->x != mark.x || old->y != mark.y) {
        map_->SetMark(mark);
        diagram_->SetMark(mark.x);
    }
}

void CPanelParameterMap::OpenAt(double x, double y)
{
    const AttractorRef& a = doc_.current();
    if (!a || !mapped_.valid)
        return;
    const MapSettings& shown = map_->Settings();
    std::vector<double> values = a->CoefficientValues();
    values[static_cast<std::size_t>(shown.x.place)] = x;
    values[static_cast<std::size_t>(shown.y.place)] = y;
    AttractorRef b = a->Clone(doc_.defaults());
    b->SetExactCoefficients(values);
    doc_.SetAttractor(b, SA_NO_SEARCH | SA_ADD_HISTORY);
}

QString CPanelParameterMap::ExportMap(const QString& path)
{
    if (!map_->Finished() || !doc_.current())
        return "The map is not finished yet.";
    const std::string target = path.toStdString();
    // A folder that cannot take the file is named before the picture is made.
    std::string problem = WritableFileProblem(target);
    if (problem.empty()) {
        const MapSettings& m = map_->Settings();
        const std::string bytes = EncodePng(MapPicture(map_->Values(), m, map_->Mark()),
                                            ParameterTexts(*doc_.current(), MapRecordText(m)));
        problem = bytes.empty() ? "the PNG could not be encoded" : WritePngFile(target, bytes);
    }
    return QString::fromStdString(problem);
}

void CPanelParameterMap::ExportWithDialog()
{
    if (!map_->Finished() || !doc_.current()) {
        Say("The map is not finished yet.");
        return;
    }
    const QString proposed = QString::fromStdString(doc_.current()->code) + "-map.png";
    const QString path = QFileDialog::getSaveFileName(this, "Export Map", proposed, "PNG pictures (*.png)");
    if (path.isEmpty())
        return;
    const QString problem = ExportMap(path);
    if (!problem.isEmpty())
        QMessageBox::warning(this, "Export Map", problem);
    else
        Say("Wrote " + path);
}

QString CPanelParameterMap::Line() const
{
    return line_->text();
}

void CPanelParameterMap::Say(const QString& text)
{
    line_->setText(text);
}

void CPanelParameterMap::SayState()
{
    if (!mapped_.valid)
        return;
    const MapSettings& m = map_->Settings();
    const int divisor = map_->ShownDivisor();
    const QString ranges = RangeLine(m.x) + ", " + RangeLine(m.y);
    if (divisor == 1)
        Say(ranges);
    else if (divisor == 0)
        Say(QString::fromUtf8("Computing\u2026 ") + ranges);
    else
        Say(QString::fromUtf8("Computing\u2026 1/%1 of the resolution").arg(divisor));
}

void CPanelParameterMap::resizeEvent(QResizeEvent* event)
{
    CPanel::resizeEvent(event);
    body_->setGeometry(0, BANDS_HEIGHT, width(), std::max(0, height() - BANDS_HEIGHT));
}

void CPanelParameterMap::showEvent(QShowEvent* event)
{
    CPanel::showEvent(event);
    Follow(false);
}

void CPanelParameterMap::hideEvent(QHideEvent* event)
{
    map_->Stop();
    CPanel::hideEvent(event);
}

} // namespace zephyra
