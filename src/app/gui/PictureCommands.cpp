#include "PictureCommands.h"

#include "CMainFrame.h"
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "CommandIds.h"
#include "DensitySceneOf.h"
#include "ExportAnimationDialog.h"
#include "ExportPictureDialog.h"
#include "FileNames.h"
#include "PictureExport.h"
#include "PictureRecord.h"
#include "ProgramNames.h"
#include "StatusTexts.h"

#include <QMessageBox>

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

constexpr const char* NO_ATTRACTOR = "This picture holds no attractor.";
constexpr const char* OPENED = "Opened %1";
constexpr int SWATCH_SAMPLES = 64;

ViewFlags FlagsOf(const CZephyraDoc& doc)
{
    return {false, false, doc.viewBlackWhite(), doc.viewDefaultColors()};
}

// Colours of a few of the attractor's points, darkest first, for the swatch of its own colours.
std::vector<Rgb> OwnColors(const CZephyraDoc& doc)
{
    std::vector<Rgb> colors;
    const PointBuffer& buffer = doc.buffer();
    if (!doc.current() || !buffer.ready || buffer.count <= FIRST_DRAWN_POINT)
        return colors;
    const SceneColors scene = ChooseColors(*doc.current(), FlagsOf(doc), doc.defaults());
    const AffineMap map = ColorMapping(doc.current()->display, scene.foreground, doc.viewBlackWhite());
    const int span = buffer.count - FIRST_DRAWN_POINT;
    for (int i = 0; i < SWATCH_SAMPLES; ++i) {
        const Vector4 c = map.Apply(buffer.points[FIRST_DRAWN_POINT + span / SWATCH_SAMPLES * i]);
        colors.push_back(
            {std::clamp(c[0], 0.0f, 1.0f), std::clamp(c[1], 0.0f, 1.0f), std::clamp(c[2], 0.0f, 1.0f)});
    }
    std::sort(colors.begin(), colors.end(),
              [](const Rgb& a, const Rgb& b) { return a[0] + a[1] + a[2] < b[0] + b[1] + b[2]; });
    return colors;
}

// Codes of Saved and Favorites to morph to: of the attractor's case, each once, not its own.
std::vector<std::string> MorphCodes(const CZephyraDoc& doc)
{
    std::vector<std::string> codes;
    for (const AttractorList* list : {&doc.saved(), &doc.favorites()})
        for (const AttractorRef& entry : *list)
            if (entry->CaseLetter() == doc.current()->CaseLetter() && entry->code != doc.current()->code &&
                std::find(codes.begin(), codes.end(), entry->code) == codes.end())
                codes.push_back(entry->code);
    return codes;
}

} // namespace

void PictureCommands::SetFrame(CMainFrame* frame)
{
    frame_ = frame;
    pictureExport_.SetFrame(frame);
    animationExport_.SetFrame(frame);
}

bool PictureCommands::OnCommand(int id)
{
    if (id == cmd::ID_EXPORT_PICTURE)
        ExportPicture();
    else if (id == cmd::ID_EXPORT_ANIMATION)
        ExportAnimation();
    else
        return false;
    return true;
}

bool PictureCommands::IsPicture(const QString& path)
{
    return IsPictureFile(FileNamePath(path));
}

AttractorRef PictureCommands::CarriedAttractor(const QString& path)
{
    const std::optional<StoredPicture> picture = ReadPictureRecord(FileNamePath(path), doc_.defaults());
    if (!picture || !picture->attractor) {
        QMessageBox::warning(frame_, PROGRAM_TITLE, NO_ATTRACTOR);
        return {};
    }
    return picture->attractor;
}

bool PictureCommands::OpenPicture(const QString& path)
{
    const AttractorRef attractor = CarriedAttractor(path);
    if (!attractor)
        return false;
    // A refused code is reported by SetAttractor itself and leaves the current attractor.
    doc_.SetAttractor(attractor, SA_NO_SEARCH | SA_ADD_HISTORY);
    if (doc_.current() != attractor)
        return false;
    if (frame_)
        frame_->ShowStatus(PANE_MESSAGE, QString(OPENED).arg(path).toStdString());
    return true;
}

void PictureCommands::JoinPicture(const QString& path)
{
    AttractorList records;
    if (AttractorRef attractor = CarriedAttractor(path)) {
        records.AddTail(attractor);
        doc_.JoinSaved(records);
    }
}

void PictureCommands::ExportPicture()
{
    if (pictureExport_.ShowRunning() || !doc_.current() || !doc_.current()->valid || !frame_)
        return;
    const CZephyraView& view = frame_->ActiveView();
    const qreal ratio = view.devicePixelRatioF();
    const QSize viewSize(std::max(1, static_cast<int>(std::lround(view.width() * ratio))),
                         std::max(1, static_cast<int>(std::lround(view.height() * ratio))));
    ExportPictureDialog dialog(viewSize, OwnColors(doc_), doc_.current()->code, frame_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    StartExport(dialog.FilePath(), dialog.Settings());
}

void PictureCommands::StartExport(const QString& path, const PictureSettings& chosen)
{
    PictureSettings settings = chosen;
    settings.blackWhite = doc_.viewBlackWhite();
    const Attractor& attractor = *doc_.current();
    pictureExport_.Start(path, [scene = DensitySceneOf(attractor, FlagsOf(doc_), doc_.defaults()), settings,
                                texts = PictureTexts(attractor, settings), file = path.toStdString(),
                                available = doc_.AvailableMemory()](std::stop_token stop,
                                                                    const DensityProgress& progress,
                                                                    const ExportJob::Note&) {
        return ExportDensityPicture(scene, settings, texts, file, available, stop, progress);
    });
}

void PictureCommands::ExportAnimation()
{
    if (animationExport_.ShowRunning() || !doc_.current() || !doc_.current()->valid || !frame_)
        return;
    ExportAnimationDialog dialog(doc_.current(),
                                 DensitySceneOf(*doc_.current(), FlagsOf(doc_), doc_.defaults()),
                                 MorphCodes(doc_), OwnColors(doc_), doc_.defaults(), frame_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const AnimationPlan plan = dialog.Plan();
    PictureSettings settings;
    settings.density = true;
    settings.options = plan.options;
    settings.blackWhite = doc_.viewBlackWhite();
    AnimationTarget target = dialog.Target();
    target.record = PictureTexts(*doc_.current(), settings);
    animationExport_.Start(QString::fromStdString(target.path.string()),
                           [plan, target, available = doc_.AvailableMemory()](std::stop_token stop,
                                                                              const DensityProgress& progress,
                                                                              const ExportJob::Note& note) {
                               return zephyra::ExportAnimation(plan, target, available, stop, progress, note);
                           });
}

} // namespace zephyra
