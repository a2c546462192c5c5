#include "DensityFields.h"

#include "ColorMaps.h"
#include "DensityOptionTable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

namespace zephyra {

namespace {

constexpr int CODE_START = 16; // characters of the code in the proposed file name

// The first: a palette's colour for no density, else the attractor's background.
constexpr const char* BACKGROUNDS[] = {"Automatic", "Black", "White", "Other colour..."};
constexpr int OTHER_BACKGROUND = 3;
constexpr int NO_BACKGROUND = 4; // offered by dialogs whose files can hold alpha

// The gamma slider counts tenths: 1.0 to 5.0.
constexpr int GAMMA_STEPS = 10;

// The options the fields show; the dialogs remember each under its key in the option table.
constexpr const char* SHOWN_OPTIONS[] = {"points", "supersample", "tone", "gamma", "smooth",
                                         "colors", "background",  "fit",  "shade"};

QColor ToQColor(const Rgb& c)
{
    return QColor::fromRgbF(c[0], c[1], c[2]);
}

Rgb ToRgb(const QColor& c)
{
    return {static_cast<float>(c.redF()), static_cast<float>(c.greenF()), static_cast<float>(c.blueF())};
}

QIcon SwatchStrip(const std::function<Rgb(float)>& colorAt)
{
    QPixmap strip(96, 14);
    QPainter p(&strip);
    for (int x = 0; x < strip.width(); ++x) {
        p.setPen(ToQColor(colorAt(static_cast<float>(x) / static_cast<float>(strip.width() - 1))));
        p.drawLine(x, 0, x, strip.height() - 1);
    }
    return QIcon(strip);
}

QString PointsText(std::uint64_t n)
{
    return n >= 1'000'000'000 ? QString("%1 billion").arg(n / 1'000'000'000)
                              : QString("%1 million").arg(n / 1'000'000);
}

} // namespace

DensityFields::DensityFields(QFormLayout& form, QWidget& dialog, const std::vector<Rgb>& ownColors,
                             const char* pointsLabel, std::span<const std::uint64_t> points,
                             int defaultPoints)
    : dialog_(dialog), pointCounts_(points)
{
    points_ = new QComboBox;
    for (const std::uint64_t n : points)
        points_->addItem(PointsText(n));
    points_->setCurrentIndex(defaultPoints);
    form.addRow(pointsLabel, points_);

    supersample_ = new QSpinBox;
    supersample_->setRange(LEAST_SUPERSAMPLE, LARGEST_SUPERSAMPLE);
    supersample_->setValue(DensityOptions().supersample);
    supersample_->setPrefix("supersampling ");
    supersample_->setSuffix(" x");
    form.addRow("&Quality:", supersample_);

    tone_ = new QComboBox;
    for (const Choice<ToneMap>& t : TONE_CHOICES)
        tone_->addItem(QString::fromUtf8(t.label.data(), static_cast<int>(t.label.size())));
    gamma_ = new QSlider(Qt::Horizontal);
    gamma_->setRange(GAMMA_STEPS, 5 * GAMMA_STEPS);
    gamma_->setValue(static_cast<int>(std::lround(DensityOptions().gamma * GAMMA_STEPS)));
    auto* gammaValue = new QLabel;
    auto* toneRow = new QHBoxLayout;
    toneRow->addWidget(tone_);
    toneRow->addWidget(gamma_, 1);
    toneRow->addWidget(gammaValue);
    form.addRow(Labelled("&Tone:", tone_), toneRow);
    const auto showGamma = [this, gammaValue] {
        gammaValue->setText(QString::number(gamma_->value() / double(GAMMA_STEPS), 'f', 1));
        gamma_->setEnabled(tone_->currentIndex() == ChoiceIndex(TONE_CHOICES, ToneMap::Gamma));
        gammaValue->setEnabled(gamma_->isEnabled());
    };
    QObject::connect(tone_, &QComboBox::currentIndexChanged, &dialog, showGamma);
    QObject::connect(gamma_, &QSlider::valueChanged, &dialog, showGamma);
    showGamma();

    smooth_ = new QDoubleSpinBox;
    smooth_->setRange(0.0, LARGEST_SMOOTH);
    smooth_->setDecimals(1);
    smooth_->setSingleStep(0.5);
    smooth_->setValue(DensityOptions().smooth);
    smooth_->setSuffix(" pixels");
    smooth_->setSpecialValueText("none");
    smooth_->setToolTip("Spreads a cell hit c times over this radius / sqrt(c): sparse regions lose "
                        "their grain, dense ones stay sharp");
    form.addRow("Smoot&hing:", smooth_);

    colors_ = new QComboBox;
    colors_->setIconSize(QSize(96, 14));
    for (const Choice<Palette>& c : PALETTE_CHOICES) {
        const auto colorAt =
            c.value == Palette::Coordinates
                ? std::function<Rgb(float)>([&ownColors](float t) {
                      if (ownColors.empty())
                          return Rgb{t, t, t};
                      const auto i = static_cast<std::size_t>(t * (ownColors.size() - 1));
                      return ownColors[i];
                  })
                : std::function<Rgb(float)>([p = c.value](float t) { return PaletteColor(p, t); });
        colors_->addItem(SwatchStrip(colorAt),
                         QString::fromUtf8(c.label.data(), static_cast<int>(c.label.size())));
    }
    form.addRow("&Colours:", colors_);

    background_ = new QComboBox;
    for (const char* b : BACKGROUNDS)
        background_->addItem(b);
    ShowOtherBackground();
    form.addRow("&Background:", background_);
    QObject::connect(background_, &QComboBox::activated, &dialog,
                     [this](int index) { ChooseBackground(index); });

    // The attractor's own camera may cut it off or leave it small; the record keeps its camera.
    fit_ = new QCheckBox("F&it the attractor in the frame");
    form.addRow("", fit_);

    shade_ = new QCheckBox("Sh&ade the folds by their depth");
    shade_->setToolTip("Darkens what lies behind its neighbours, giving the folds of a 3D or 4D "
                       "attractor volume");
    form.addRow("", shade_);
}

void DensityFields::ChooseBackground(int index)
{
    if (index != OTHER_BACKGROUND)
        return;
    const QColor chosen = QColorDialog::getColor(ToQColor(otherBackground_), &dialog_, "Background");
    if (chosen.isValid())
        otherBackground_ = ToRgb(chosen);
    ShowOtherBackground();
}

void DensityFields::ShowOtherBackground()
{
    QPixmap swatch(14, 14);
    swatch.fill(ToQColor(otherBackground_));
    QPainter p(&swatch);
    p.setPen(QColor(128, 128, 128)); // a white or dark swatch still shows its edge
    p.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    p.end();
    background_->setItemIcon(OTHER_BACKGROUND, QIcon(swatch));
}

void DensityFields::OfferTransparent()
{
    background_->addItem("Transparent");
}

void DensityFields::Apply(DensityOptions& o) const
{
    o.points = pointCounts_[static_cast<std::size_t>(points_->currentIndex())];
    o.supersample = supersample_->value();
    o.tone = TONE_CHOICES[static_cast<std::size_t>(tone_->currentIndex())].value;
    o.gamma = static_cast<float>(gamma_->value()) / GAMMA_STEPS;
    o.smooth = static_cast<float>(smooth_->value());
    o.palette = PALETTE_CHOICES[static_cast<std::size_t>(colors_->currentIndex())].value;
    o.fit = fit_->isChecked();
    o.shade = shade_->isChecked();
    switch (background_->currentIndex()) {
    case 1:
        o.background = Rgb{0.0f, 0.0f, 0.0f};
        break;
    case 2:
        o.background = Rgb{1.0f, 1.0f, 1.0f};
        break;
    case OTHER_BACKGROUND:
        o.background = otherBackground_;
        break;
    case NO_BACKGROUND:
        o.transparent = true;
        break;
    default:
        break;
    }
}

void DensityFields::Show(const DensityOptions& o)
{
    const auto points = std::find(pointCounts_.begin(), pointCounts_.end(), o.points);
    if (points != pointCounts_.end())
        points_->setCurrentIndex(static_cast<int>(points - pointCounts_.begin()));
    supersample_->setValue(o.supersample);
    tone_->setCurrentIndex(ChoiceIndex(TONE_CHOICES, o.tone));
    gamma_->setValue(static_cast<int>(std::lround(o.gamma * GAMMA_STEPS)));
    smooth_->setValue(o.smooth);
    colors_->setCurrentIndex(ChoiceIndex(PALETTE_CHOICES, o.palette));
    fit_->setChecked(o.fit);
    shade_->setChecked(o.shade);
    int background = 0;
    if (o.transparent) {
        background = NO_BACKGROUND < background_->count() ? NO_BACKGROUND : 0;
    } else if (o.background == Rgb{0.0f, 0.0f, 0.0f}) {
        background = 1;
    } else if (o.background == Rgb{1.0f, 1.0f, 1.0f}) {
        background = 2;
    } else if (o.background) {
        background = OTHER_BACKGROUND;
        otherBackground_ = *o.background;
    }
    background_->setCurrentIndex(background);
}

void DensityFields::Remember(QSettings& s) const
{
    DensityOptions o;
    Apply(o);
    const DensityOptions defaults;
    for (const char* key : SHOWN_OPTIONS) {
        const DensityOptionRow& row = *DensityOptionRowOf(key);
        const std::string text = row.text(o);
        // As in a picture's record, an optional option that is not set is not written.
        if (row.optional && text == row.text(defaults))
            s.remove(key);
        else
            s.setValue(key, QString::fromStdString(text));
    }
    s.setValue("otherBackground", ToQColor(otherBackground_).name());
}

void DensityFields::Recall(const QSettings& s)
{
    const QColor other(s.value("otherBackground", "#000000").toString());
    if (other.isValid())
        otherBackground_ = ToRgb(other);
    DensityOptions o;
    Apply(o);
    // A value that is no longer one (a hand-edited or newer file) keeps the field as it is.
    for (const char* key : SHOWN_OPTIONS) {
        DensityOptions read = o;
        const DensityOptionRow& row = *DensityOptionRowOf(key);
        if (s.contains(key) && row.read(s.value(key).toString().toStdString(), read) && row.within(read))
            o = read;
    }
    Show(o);
    ShowOtherBackground();
}

QLabel* Labelled(const char* text, QWidget* field)
{
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

void RecallIndex(const QSettings& s, QComboBox* box, const char* key)
{
    const int i = s.value(key, box->currentIndex()).toInt();
    if (i >= 0 && i < box->count())
        box->setCurrentIndex(i);
}

QDialogButtonBox* ExportButtons(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("Export");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QLabel* ProblemLine()
{
    auto* line = new QLabel;
    line->setObjectName("problem");
    line->setWordWrap(true);
    line->setStyleSheet("QLabel { color: #c0392b; }");
    line->hide();
    return line;
}

bool ShowProblem(QLabel* line, const QString& problem)
{
    line->setText(problem);
    line->setVisible(!problem.isEmpty());
    return problem.isEmpty();
}

QString FileNameOf(const std::string& code)
{
    QString name;
    for (const char c : code.substr(0, CODE_START))
        name += std::isalnum(static_cast<unsigned char>(c)) ? QChar(c) : QChar('_');
    return name.isEmpty() ? QString("attractor") : name;
}

} // namespace zephyra
