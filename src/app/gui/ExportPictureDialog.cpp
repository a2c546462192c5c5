#include "ExportPictureDialog.h"

#include "ColorMaps.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <functional>

namespace zephyra {

namespace {

constexpr const char* GROUP = "ExportPicture";
constexpr const char* PNG_FILTER = "PNG pictures (*.png)";
constexpr int CODE_START = 16; // characters of the code in the proposed file name

struct SizePreset {
    const char* name;
    int width, height; // 0: the view's size, or the fields (custom)
};
constexpr SizePreset SIZES[] = {
    {"View size", 0, 0},       {"1920x1080", 1920, 1080},  {"3840x2160", 3840, 2160},
    {"7680x4320", 7680, 4320}, {"A4 300 dpi", 3508, 2480}, {"A3 300 dpi", 4961, 3508},
    {"Custom", 0, 0}};
constexpr int VIEW_SIZE = 0;
constexpr int CUSTOM_SIZE = 6;

constexpr std::uint64_t POINTS[] = {10'000'000,    30'000'000,    100'000'000,   300'000'000,
                                    1'000'000'000, 3'000'000'000, 10'000'000'000};
constexpr int DEFAULT_POINTS = 2;

struct ToneChoice {
    const char* name;
    ToneMap tone;
};
constexpr ToneChoice TONES[] = {{"Logarithmic", ToneMap::Log},
                                {"Histogram equalised", ToneMap::EqualizedHistogram},
                                {"Gamma", ToneMap::Gamma},
                                {"Linear", ToneMap::Linear}};
constexpr int GAMMA_TONE = 2;

struct PaletteChoice {
    const char* name;
    Palette palette;
};
constexpr PaletteChoice PALETTES[] = {{"The attractor's own colours", Palette::Coordinates},
                                      {"Gray", Palette::Gray},
                                      {"Magma", Palette::Magma},
                                      {"Inferno", Palette::Inferno},
                                      {"Viridis", Palette::Viridis},
                                      {"Cividis", Palette::Cividis},
                                      {"Turbo", Palette::Turbo}};

constexpr const char* BACKGROUNDS[] = {"As the attractor's", "Black", "White", "Other colour..."};
constexpr int OTHER_BACKGROUND = 3;

// The gamma slider counts tenths: 1.0 to 5.0.
constexpr int GAMMA_STEPS = 10;

QSettings StoredChoices()
{
    return QSettings("Kestrelmoor", "Zephyra Explorer");
}

QColor ToQColor(const Rgb& c)
{
    return QColor::fromRgbF(c[0], c[1], c[2]);
}

// A row label whose mnemonic moves the focus to the row's first field.
QLabel* Labelled(const char* text, QWidget* field)
{
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
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

QString ProposedName(const std::string& code)
{
    QString name;
    for (const char c : code.substr(0, CODE_START))
        name += std::isalnum(static_cast<unsigned char>(c)) ? QChar(c) : QChar('_');
    return (name.isEmpty() ? QString("attractor") : name) + ".png";
}

} // namespace

ExportPictureDialog::ExportPictureDialog(QSize viewSize, const std::vector<Rgb>& ownColors,
                                         const std::string& code, QWidget* parent)
    : QDialog(parent), viewSize_(viewSize)
{
    setWindowTitle("Export Picture");
    BuildForm(ownColors);
    Recall();
    const QString folder = StoredChoices().value(QString(GROUP) + "/folder", QDir::homePath()).toString();
    file_->setText(QDir(folder).filePath(ProposedName(code)));
    file_->setFocus();
}

void ExportPictureDialog::BuildForm(const std::vector<Rgb>& ownColors)
{
    auto* form = new QFormLayout;

    size_ = new QComboBox;
    for (const SizePreset& s : SIZES)
        size_->addItem(s.name);
    size_->setItemText(VIEW_SIZE,
                       QString("View size (%1x%2)").arg(viewSize_.width()).arg(viewSize_.height()));
    width_ = new QSpinBox;
    height_ = new QSpinBox;
    for (QSpinBox* side : {width_, height_}) {
        side->setRange(1, 65535);
        side->setSuffix(" px");
    }
    width_->setValue(1920);
    height_->setValue(1080);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size_, 1);
    sizeRow->addWidget(width_);
    sizeRow->addWidget(new QLabel("x"));
    sizeRow->addWidget(height_);
    form->addRow(Labelled("&Size:", size_), sizeRow);
    connect(size_, &QComboBox::currentIndexChanged, this, &ExportPictureDialog::ShowSizeChoice);

    points_ = new QComboBox;
    for (const std::uint64_t n : POINTS)
        points_->addItem(n >= 1'000'000'000 ? QString("%1 billion").arg(n / 1'000'000'000)
                                            : QString("%1 million").arg(n / 1'000'000));
    points_->setCurrentIndex(DEFAULT_POINTS);
    form->addRow("&Points:", points_);

    quality_ = new QSpinBox;
    quality_->setRange(1, 4);
    quality_->setValue(2);
    quality_->setPrefix("supersampling ");
    quality_->setSuffix(" x");
    form->addRow("&Quality:", quality_);

    tone_ = new QComboBox;
    for (const ToneChoice& t : TONES)
        tone_->addItem(t.name);
    gamma_ = new QSlider(Qt::Horizontal);
    gamma_->setRange(GAMMA_STEPS, 5 * GAMMA_STEPS);
    gamma_->setValue(22);
    auto* gammaValue = new QLabel;
    auto* toneRow = new QHBoxLayout;
    toneRow->addWidget(tone_);
    toneRow->addWidget(gamma_, 1);
    toneRow->addWidget(gammaValue);
    form->addRow(Labelled("&Tone:", tone_), toneRow);
    const auto showGamma = [this, gammaValue] {
        gammaValue->setText(QString::number(gamma_->value() / double(GAMMA_STEPS), 'f', 1));
        gamma_->setEnabled(tone_->currentIndex() == GAMMA_TONE);
        gammaValue->setEnabled(gamma_->isEnabled());
    };
    connect(tone_, &QComboBox::currentIndexChanged, this, showGamma);
    connect(gamma_, &QSlider::valueChanged, this, showGamma);
    showGamma();

    colors_ = new QComboBox;
    colors_->setIconSize(QSize(96, 14));
    for (const PaletteChoice& c : PALETTES) {
        const auto colorAt =
            c.palette == Palette::Coordinates
                ? std::function<Rgb(float)>([&ownColors](float t) {
                      if (ownColors.empty())
                          return Rgb{t, t, t};
                      const auto i = static_cast<std::size_t>(t * (ownColors.size() - 1));
                      return ownColors[i];
                  })
                : std::function<Rgb(float)>([p = c.palette](float t) { return PaletteColor(p, t); });
        colors_->addItem(SwatchStrip(colorAt), c.name);
    }
    form->addRow("&Colours:", colors_);

    background_ = new QComboBox;
    for (const char* b : BACKGROUNDS)
        background_->addItem(b);
    form->addRow("&Background:", background_);
    connect(background_, &QComboBox::activated, this, &ExportPictureDialog::ChooseBackground);

    depth_ = new QComboBox;
    depth_->addItems({"8 bits a channel", "16 bits a channel"});
    form->addRow("&Depth:", depth_);

    file_ = new QLineEdit;
    auto* browse = new QPushButton("B&rowse...");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &ExportPictureDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    form->addRow(Labelled("&File:", file_), fileRow);
    file_->setMinimumWidth(360);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("Export");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    ShowSizeChoice();
}

void ExportPictureDialog::ShowSizeChoice()
{
    const int index = size_->currentIndex();
    const bool custom = index == CUSTOM_SIZE;
    width_->setEnabled(custom);
    height_->setEnabled(custom);
    if (custom)
        return;
    const SizePreset& preset = SIZES[index];
    width_->setValue(preset.width ? preset.width : viewSize_.width());
    height_->setValue(preset.height ? preset.height : viewSize_.height());
}

void ExportPictureDialog::ChooseBackground(int index)
{
    if (index != OTHER_BACKGROUND)
        return;
    const QColor chosen = QColorDialog::getColor(ToQColor(otherBackground_), this, "Background");
    if (chosen.isValid())
        otherBackground_ = {static_cast<float>(chosen.redF()), static_cast<float>(chosen.greenF()),
                            static_cast<float>(chosen.blueF())};
}

void ExportPictureDialog::Browse()
{
    const QString path = QFileDialog::getSaveFileName(this, "Export Picture", file_->text(), PNG_FILTER);
    if (!path.isEmpty())
        file_->setText(QFileInfo(path).suffix().isEmpty() ? path + ".png" : path);
}

PictureSettings ExportPictureDialog::Settings() const
{
    PictureSettings settings;
    settings.density = true;
    DensityOptions& o = settings.options;
    o.width = width_->value();
    o.height = height_->value();
    o.points = POINTS[points_->currentIndex()];
    o.supersample = quality_->value();
    o.tone = TONES[tone_->currentIndex()].tone;
    o.gamma = static_cast<float>(gamma_->value()) / GAMMA_STEPS;
    o.palette = PALETTES[colors_->currentIndex()].palette;
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
    default:
        break;
    }
    o.depth = depth_->currentIndex() == 1 ? 16 : 8;
    return settings;
}

QString ExportPictureDialog::FilePath() const
{
    const QString path = file_->text().trimmed();
    return QFileInfo(path).suffix().isEmpty() ? path + ".png" : path;
}

void ExportPictureDialog::accept()
{
    if (file_->text().trimmed().isEmpty()) {
        QMessageBox::warning(this, windowTitle(), "Enter the name of the picture file.");
        file_->setFocus();
        return;
    }
    Remember();
    QDialog::accept();
}

void ExportPictureDialog::Remember() const
{
    QSettings s("Kestrelmoor", "Zephyra Explorer");
    s.beginGroup(GROUP);
    s.setValue("size", size_->currentIndex());
    s.setValue("width", width_->value());
    s.setValue("height", height_->value());
    s.setValue("points", points_->currentIndex());
    s.setValue("quality", quality_->value());
    s.setValue("tone", tone_->currentIndex());
    s.setValue("gamma", gamma_->value());
    s.setValue("colors", colors_->currentIndex());
    s.setValue("background", background_->currentIndex());
    s.setValue("otherBackground", ToQColor(otherBackground_).name());
    s.setValue("depth", depth_->currentIndex());
    s.setValue("folder", QFileInfo(FilePath()).absolutePath());
}

void ExportPictureDialog::Recall()
{
    QSettings s("Kestrelmoor", "Zephyra Explorer");
    s.beginGroup(GROUP);
    // Indices out of range (a hand-edited or newer file) keep the defaults.
    const auto index = [&s](QComboBox* box, const char* key) {
        const int i = s.value(key, box->currentIndex()).toInt();
        if (i >= 0 && i < box->count())
            box->setCurrentIndex(i);
    };
    index(size_, "size");
    if (size_->currentIndex() == CUSTOM_SIZE) {
        width_->setValue(s.value("width", width_->value()).toInt());
        height_->setValue(s.value("height", height_->value()).toInt());
    }
    index(points_, "points");
    quality_->setValue(s.value("quality", quality_->value()).toInt());
    index(tone_, "tone");
    gamma_->setValue(s.value("gamma", gamma_->value()).toInt());
    index(colors_, "colors");
    index(background_, "background");
    const QColor other(s.value("otherBackground", "#000000").toString());
    if (other.isValid())
        otherBackground_ = {static_cast<float>(other.redF()), static_cast<float>(other.greenF()),
                            static_cast<float>(other.blueF())};
    index(depth_, "depth");
}

} // namespace zephyra
