#include "ExportAnimationDialog.h"

#include "StoredChoices.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <cstring>

namespace zephyra {

namespace {

constexpr const char* GROUP = "ExportAnimation";
constexpr const char* WEBP_FILTER = "Animated WebP (*.webp)";
constexpr const char* WEBP_SUFFIX = ".webp";
constexpr int LARGEST_SIDE = 16383; // the largest WebP picture
constexpr int LARGEST_FRAMES = 100000;
constexpr int WEBP_FORMAT = 0;

// A frame of an animation wants fewer points than a poster.
constexpr std::uint64_t POINTS[] = {1'000'000, 3'000'000, 10'000'000, 30'000'000, 100'000'000};
constexpr int DEFAULT_POINTS = 2;

constexpr const char* PLANES[] = {"No 4D turn", "Turn x and w too", "Turn y and w too", "Turn z and w too"};

QSpinBox* NumberBox(int low, int high, int value, const QString& prefix = {}, const QString& suffix = {})
{
    auto* box = new QSpinBox;
    box->setRange(low, high);
    box->setValue(value);
    box->setPrefix(prefix);
    box->setSuffix(suffix);
    return box;
}

} // namespace

ExportAnimationDialog::ExportAnimationDialog(AttractorRef attractor, DensityScene scene,
                                             const std::vector<std::string>& morphCodes,
                                             const std::vector<Rgb>& ownColors, AttractorDefaults defaults,
                                             QWidget* parent)
    : QDialog(parent), attractor_(std::move(attractor)), scene_(std::move(scene)),
      defaults_(std::move(defaults))
{
    setWindowTitle("Export Animation");
    auto* layout = new QVBoxLayout(this);
    const auto group = [layout](const char* title) {
        auto* box = new QGroupBox(title);
        auto* form = new QFormLayout(box);
        layout->addWidget(box);
        return form;
    };
    BuildMotion(*group("Motion"), morphCodes);
    BuildFrames(*group("Frames"), ownColors);
    BuildOutput(*group("Output"));
    problem_ = ProblemLine();
    layout->addWidget(problem_);
    layout->addWidget(ExportButtons(*this));

    Recall();
    ShowMotion();
    ShowDuration();
    ShowFormat();
    file_->setFocus();
}

void ExportAnimationDialog::BuildMotion(QFormLayout& form, const std::vector<std::string>& morphCodes)
{
    turntable_ = new QRadioButton("T&urntable");
    turntable_->setChecked(true);
    turn_ = NumberBox(-3600, 3600, 360, "turn ", "°");
    turn_->setToolTip("How far the attractor turns about the vertical over the whole animation");
    pitchSwing_ = NumberBox(-90, 90, 0, "pitch swing ", "°");
    pitchSwing_->setToolTip("How far the camera swings up and down, once over the animation");
    plane_ = new QComboBox;
    for (const char* plane : PLANES)
        plane_->addItem(plane);
    plane_->setToolTip("The plane of w and another axis turns with the attractor");
    plane_->setVisible(attractor_->dimension == 4);
    auto* turnRow = new QHBoxLayout;
    turnRow->addWidget(turn_);
    turnRow->addWidget(pitchSwing_);
    turnRow->addWidget(plane_);
    turnRow->addStretch(1);
    form.addRow(turntable_, turnRow);

    morph_ = new QRadioButton("&Morph to:");
    morph_->setObjectName("morph");
    morphCode_ = new QComboBox;
    morphCode_->setObjectName("morphCode");
    morphCode_->setEditable(true);
    morphCode_->setInsertPolicy(QComboBox::NoInsert);
    morphCode_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    morphCode_->setMinimumContentsLength(24);
    for (const std::string& code : morphCodes)
        morphCode_->addItem(QString::fromStdString(code));
    morphCode_->setCurrentIndex(-1);
    const QString letter(QChar(attractor_->CaseLetter()));
    morphCode_->lineEdit()->setPlaceholderText(
        morphCodes.empty() ? "a code of case " + letter
                           : "a code of case " + letter + ", typed or from Saved and Favorites");
    form.addRow(morph_, morphCode_);
    connect(turntable_, &QRadioButton::toggled, this, &ExportAnimationDialog::ShowMotion);
}

void ExportAnimationDialog::BuildFrames(QFormLayout& form, const std::vector<Rgb>& ownColors)
{
    width_ = NumberBox(16, LARGEST_SIDE, 640, {}, " px");
    height_ = NumberBox(16, LARGEST_SIDE, 480, {}, " px");
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(width_);
    sizeRow->addWidget(new QLabel("x"));
    sizeRow->addWidget(height_);
    sizeRow->addStretch(1);
    form.addRow(Labelled("&Size:", width_), sizeRow);

    frames_ = NumberBox(1, LARGEST_FRAMES, 120);
    fps_ = NumberBox(1, 120, 30, "at ", " frames a second");
    duration_ = new QLabel;
    auto* framesRow = new QHBoxLayout;
    framesRow->addWidget(frames_);
    framesRow->addWidget(fps_);
    framesRow->addWidget(duration_);
    framesRow->addStretch(1);
    form.addRow(Labelled("F&rames:", frames_), framesRow);
    connect(frames_, &QSpinBox::valueChanged, this, &ExportAnimationDialog::ShowDuration);
    connect(fps_, &QSpinBox::valueChanged, this, &ExportAnimationDialog::ShowDuration);

    density_.emplace(form, *this, ownColors, "&Points a frame:", POINTS, DEFAULT_POINTS);
    density_->OfferTransparent(); // WebP and PNG frames hold alpha
}

void ExportAnimationDialog::BuildOutput(QFormLayout& form)
{
    format_ = new QComboBox;
    format_->setObjectName("format");
    format_->addItems({"Animated WebP, one file", "PNG frames in a folder"});
    quality_ = NumberBox(0, 100, 90, "WebP quality ");
    quality_->setToolTip("Lossy WebP: higher keeps more detail in a larger file");
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(format_);
    formatRow->addWidget(quality_);
    formatRow->addStretch(1);
    form.addRow(Labelled("F&ormat:", format_), formatRow);
    connect(format_, &QComboBox::currentIndexChanged, this, &ExportAnimationDialog::ShowFormat);

    file_ = new QLineEdit;
    file_->setObjectName("file");
    file_->setMinimumWidth(360);
    auto* browse = new QPushButton("Bro&wse...");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &ExportAnimationDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    fileLabel_ = Labelled("&File:", file_);
    form.addRow(fileLabel_, fileRow);
}

void ExportAnimationDialog::ShowMotion()
{
    const bool turning = turntable_->isChecked();
    turn_->setEnabled(turning);
    pitchSwing_->setEnabled(turning);
    plane_->setEnabled(turning);
    morphCode_->setEnabled(!turning);
    if (!turning && isVisible())
        morphCode_->setFocus();
}

void ExportAnimationDialog::ShowDuration()
{
    duration_->setText(QString("= %1 s").arg(frames_->value() / double(fps_->value()), 0, 'f', 1));
}

// The name follows the format: "x.webp" becomes the folder "x" and back.
void ExportAnimationDialog::ShowFormat()
{
    const bool webp = WritesWebp();
    quality_->setEnabled(webp);
    fileLabel_->setText(webp ? "&File:" : "Fo&lder:");
    QString path = file_->text().trimmed();
    while (path.size() > 1 && (path.endsWith('/') || path.endsWith(QDir::separator())))
        path.chop(1);
    const bool named = IsWebpPath(path.toStdString());
    if (webp && !named && !path.isEmpty())
        path += WEBP_SUFFIX;
    else if (!webp && named)
        path.chop(static_cast<int>(std::strlen(WEBP_SUFFIX)));
    file_->setText(path);
}

void ExportAnimationDialog::Browse()
{
    QString path;
    if (WritesWebp()) {
        path = QFileDialog::getSaveFileName(this, windowTitle(), file_->text(), WEBP_FILTER);
        if (!path.isEmpty() && !IsWebpPath(path.toStdString()))
            path += WEBP_SUFFIX;
    } else {
        path = QFileDialog::getExistingDirectory(this, "Folder for the frames", file_->text());
    }
    if (!path.isEmpty())
        file_->setText(QDir::toNativeSeparators(path));
}

bool ExportAnimationDialog::WritesWebp() const
{
    return format_->currentIndex() == WEBP_FORMAT;
}

QString ExportAnimationDialog::FilePath() const
{
    const QString path = file_->text().trimmed();
    return WritesWebp() && !IsWebpPath(path.toStdString()) ? path + WEBP_SUFFIX : path;
}

QString ExportAnimationDialog::Problem()
{
    if (file_->text().trimmed().isEmpty()) {
        file_->setFocus();
        return WritesWebp() ? "Enter the name of the animation file." : "Enter the folder for the frames.";
    }
    const std::string path = FilePath().toStdString();
    if (!WritesWebp() && IsWebpPath(path)) {
        file_->setFocus();
        return "A folder of PNG frames cannot end in \".webp\": choose Animated WebP for one file.";
    }
    if (const std::string problem = AnimationTargetProblem(path); !problem.empty()) {
        file_->setFocus();
        return QString::fromStdString(problem);
    }
    morphTarget_ = AttractorRef();
    if (turntable_->isChecked())
        return {};
    morphCode_->setFocus();
    const QString code = morphCode_->currentText().trimmed();
    const QString letter(QChar(attractor_->CaseLetter()));
    if (code.isEmpty())
        return "Type the code to morph to, or pick one from the list.";
    const AttractorRef target = Attractor::CreateFromCode(code.toStdString(), defaults_);
    if (!target->valid)
        return QString("\"%1\" is not an attractor code.").arg(code);
    AnimationPlan probe;
    if (!SetMorph(probe, *attractor_, *target))
        return QString("\"%1\" is of another case than the attractor: a morph needs a code of case %2.")
            .arg(code, letter);
    morphTarget_ = target;
    return {};
}

void ExportAnimationDialog::accept()
{
    if (!ShowProblem(problem_, Problem()))
        return;
    Remember();
    QDialog::accept();
}

AnimationPlan ExportAnimationDialog::Plan() const
{
    AnimationPlan plan;
    plan.scene = scene_;
    plan.options.width = width_->value();
    plan.options.height = height_->value();
    density_->Apply(plan.options);
    plan.options.depth = 8;
    plan.frames = frames_->value();
    if (morphTarget_) {
        plan.turnDegrees = 0.0f;
        (void)SetMorph(plan, *attractor_, *morphTarget_); // checked when accepted
        return plan;
    }
    plan.turnDegrees = static_cast<float>(turn_->value());
    plan.pitchSwingDegrees = static_cast<float>(pitchSwing_->value());
    if (attractor_->dimension == 4)
        plan.scene.turnAxis = plane_->currentIndex() - 1;
    return plan;
}

AnimationTarget ExportAnimationDialog::Target() const
{
    return {FilePath().toStdString(),
            static_cast<double>(fps_->value()),
            static_cast<float>(quality_->value()),
            {}};
}

void ExportAnimationDialog::Remember() const
{
    QSettings s = StoredChoices();
    s.beginGroup(GROUP);
    s.setValue("morph", morph_->isChecked());
    s.setValue("turn", turn_->value());
    s.setValue("pitchSwing", pitchSwing_->value());
    s.setValue("plane", plane_->currentIndex());
    s.setValue("morphCode", morphCode_->currentText().trimmed());
    s.setValue("width", width_->value());
    s.setValue("height", height_->value());
    s.setValue("frames", frames_->value());
    s.setValue("fps", fps_->value());
    density_->Remember(s);
    s.setValue("format", format_->currentIndex());
    s.setValue("webpQuality", quality_->value());
    s.setValue("folder", QFileInfo(FilePath()).absolutePath());
}

void ExportAnimationDialog::Recall()
{
    QSettings s = StoredChoices();
    s.beginGroup(GROUP);
    morph_->setChecked(s.value("morph", false).toBool());
    turn_->setValue(s.value("turn", turn_->value()).toInt());
    pitchSwing_->setValue(s.value("pitchSwing", pitchSwing_->value()).toInt());
    RecallIndex(s, plane_, "plane");
    // A code of another case would only be refused.
    const QString code = s.value("morphCode").toString();
    if (code.startsWith(QChar(attractor_->CaseLetter())))
        morphCode_->setCurrentText(code);
    width_->setValue(s.value("width", width_->value()).toInt());
    height_->setValue(s.value("height", height_->value()).toInt());
    frames_->setValue(s.value("frames", frames_->value()).toInt());
    fps_->setValue(s.value("fps", fps_->value()).toInt());
    density_->Recall(s);
    RecallIndex(s, format_, "format");
    quality_->setValue(s.value("webpQuality", quality_->value()).toInt());
    const QString folder = s.value("folder", QDir::homePath()).toString();
    file_->setText(QDir(folder).filePath(FileNameOf(attractor_->code)));
}

} // namespace zephyra
