#include "ExportPictureDialog.h"

#include "AtomicFile.h"
#include "StoredChoices.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace zephyra {

namespace {

constexpr const char* GROUP = "ExportPicture";
constexpr const char* PNG_FILTER = "PNG pictures (*.png)";

struct SizePreset {
    const char* name;
    int width, height; // 0: the view's size, or the fields (custom)
    int dotsPerInch;   // the print size the picture states; 0: none
};
constexpr SizePreset SIZES[] = {
    {"View size", 0, 0, 0},       {"1920x1080", 1920, 1080, 0},    {"3840x2160", 3840, 2160, 0},
    {"7680x4320", 7680, 4320, 0}, {"A4 300 dpi", 3508, 2480, 300}, {"A3 300 dpi", 4961, 3508, 300},
    {"Custom", 0, 0, 0}};
constexpr int VIEW_SIZE = 0;
constexpr int CUSTOM_SIZE = 6;

constexpr std::uint64_t POINTS[] = {10'000'000,    30'000'000,    100'000'000,   300'000'000,
                                    1'000'000'000, 3'000'000'000, 10'000'000'000};
constexpr int DEFAULT_POINTS = 2;

} // namespace

ExportPictureDialog::ExportPictureDialog(QSize viewSize, const std::vector<Rgb>& ownColors,
                                         const std::string& code, QWidget* parent)
    : QDialog(parent), viewSize_(viewSize)
{
    setWindowTitle("Export Picture");
    BuildForm(ownColors);
    Recall();
    const QString folder = StoredChoices().value(QString(GROUP) + "/folder", QDir::homePath()).toString();
    file_->setText(QDir(folder).filePath(FileNameOf(code) + ".png"));
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

    density_.emplace(*form, *this, ownColors, "&Points:", POINTS, DEFAULT_POINTS);
    density_->OfferTransparent(); // PNG holds alpha

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

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    problem_ = ProblemLine();
    layout->addWidget(problem_);
    layout->addWidget(ExportButtons(*this));
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
    density_->Apply(o);
    o.depth = depth_->currentIndex() == 1 ? 16 : 8;
    settings.dotsPerInch = SIZES[size_->currentIndex()].dotsPerInch;
    return settings;
}

QString ExportPictureDialog::FilePath() const
{
    const QString path = file_->text().trimmed();
    return QFileInfo(path).suffix().isEmpty() ? path + ".png" : path;
}

void ExportPictureDialog::accept()
{
    // Said before the render, on the field to mend; a folder that failed is not remembered.
    const QString problem = file_->text().trimmed().isEmpty()
                                ? QString("Enter the name of the picture file.")
                                : QString::fromStdString(WritableFileProblem(FilePath().toStdString()));
    if (!ShowProblem(problem_, problem)) {
        file_->setFocus();
        return;
    }
    Remember();
    QDialog::accept();
}

void ExportPictureDialog::Remember() const
{
    QSettings s = StoredChoices();
    s.beginGroup(GROUP);
    s.setValue("size", size_->currentIndex());
    s.setValue("width", width_->value());
    s.setValue("height", height_->value());
    density_->Remember(s);
    s.setValue("depth", depth_->currentIndex() == 1 ? 16 : 8);
    s.setValue("folder", QFileInfo(FilePath()).absolutePath());
}

void ExportPictureDialog::Recall()
{
    QSettings s = StoredChoices();
    s.beginGroup(GROUP);
    RecallIndex(s, size_, "size");
    if (size_->currentIndex() == CUSTOM_SIZE) {
        width_->setValue(s.value("width", width_->value()).toInt());
        height_->setValue(s.value("height", height_->value()).toInt());
    }
    density_->Recall(s);
    if (const int depth = s.value("depth").toInt(); depth == 8 || depth == 16)
        depth_->setCurrentIndex(depth == 16 ? 1 : 0);
}

} // namespace zephyra
