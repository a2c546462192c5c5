#include "AnimationExport.h"

#include "AnimationBudget.h"
#include "AtomicFile.h"
#include "FrameFolder.h"
#include "MemoryBudget.h"
#include "PictureExport.h"
#include "PngFile.h"
#include "WebpAnimation.h"
#include "WebpRecord.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>

#include <unistd.h>

namespace zephyra {

namespace {

// A folder named with or without a closing separator.
std::filesystem::path Named(std::filesystem::path path)
{
    return path.has_filename() ? path : path.parent_path();
}

// Making the file copies the compressed frames: into the assembled file, into its text, and once
// more to add the record.
constexpr std::uint64_t FINISH_COPIES = 3;

// Empty while the compressed frames of `frames` at the rate so far, copied as the file is made,
// still fit beside those held into what `probe` reports; else the refusal.
std::string CompressedFramesRefusal(const WebpAnimation& animation, int frames, const DensityOptions& o,
                                    AvailableMemoryProbe probe)
{
    const std::uint64_t available = probe ? probe() : 0;
    const auto done = static_cast<std::uint64_t>(animation.Frames());
    if (available == 0 || done == 0)
        return {};
    const std::uint64_t held = animation.HeldBytes();
    const std::uint64_t need = held * static_cast<std::uint64_t>(frames) / done * FINISH_COPIES;
    if (need <= held + available)
        return {};
    return MemoryRefusal("the " + std::to_string(frames) + " compressed frames of a " +
                             SizeText(o.width, o.height) + " WebP animation",
                         need, held + available);
}

// One animated WebP, kept in memory and written whole; or PNG pictures staged in a hidden folder
// (inside the target folder, or beside a new one) and moved into place only when every frame is
// done, so that a stopped animation leaves the folder, and frames of an earlier one, as they were.
// A finished one replaces an earlier frame set whole, whatever its length.
class FrameWriter {
public:
    FrameWriter(const AnimationTarget& target, const DensityOptions& o, int frames,
                AvailableMemoryProbe probe)
        : options_(o), frames_(frames), probe_(probe), out_(Named(target.path)), webp_(IsWebpPath(out_)),
          record_(target.record), newFolder_(!webp_ && !std::filesystem::exists(out_)),
          staging_(StagingFolder(newFolder_ ? out_.parent_path() : out_))
    {
        if (webp_)
            animation_.emplace(o.width, o.height, target.fps, target.quality);
    }
    ~FrameWriter()
    {
        std::error_code ignored;
        if (!webp_)
            std::filesystem::remove_all(staging_, ignored);
    }
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;

    bool Add(const Picture& frame, int index)
    {
        if (webp_) {
            if (!animation_->Add(frame))
                error_ = "the WebP encoder refused frame " + std::to_string(index + 1);
            else
                error_ = CompressedFramesRefusal(*animation_, frames_, options_, probe_);
            return error_.empty();
        }
        std::error_code error;
        if (index == 0)
            RemoveStaleStaging(staging_.parent_path());
        if (index == 0 && !std::filesystem::create_directory(staging_, error) && error) {
            error_ = "cannot write " + staging_.string() + ": " + error.message();
            return false;
        }
        error_ = WritePngFile(FramePath(staging_, index), EncodePng(frame, record_));
        written_ += error_.empty();
        return error_.empty();
    }
    // Keeps what was written; empty on success, else why not.
    std::string Finish()
    {
        if (webp_) {
            const std::string file = WithWebpTexts(animation_->Finish(), record_);
            return file.empty() ? "the WebP encoder failed" : WriteFileSayingWhy(out_, file);
        }
        std::error_code error;
        if (newFolder_) {
            std::filesystem::rename(staging_, out_, error);
            return error ? "cannot write " + out_.string() + ": " + error.message() : std::string();
        }
        for (int k = 0; k < written_ && !error; ++k)
            std::filesystem::rename(FramePath(staging_, k), FramePath(out_, k), error);
        if (error)
            return "cannot write into " + out_.string() + ": " + error.message();
        RemoveFramesAfter(out_, written_);
        return {};
    }
    [[nodiscard]] const std::string& Error() const { return error_; }

private:
    DensityOptions options_;
    int frames_;
    AvailableMemoryProbe probe_;
    std::filesystem::path out_;
    bool webp_;
    std::vector<PngText> record_;
    bool newFolder_;
    std::filesystem::path staging_;
    std::optional<WebpAnimation> animation_;
    int written_ = 0; // PNG frames
    std::string error_;
};

} // namespace

bool IsWebpPath(const std::filesystem::path& path)
{
    return HasExtension(path, ".webp");
}

std::string AnimationTargetProblem(const std::filesystem::path& path)
{
    std::error_code ignored;
    const std::filesystem::path target = Named(path);
    if (target.empty())
        return "no file or folder named";
    // A folder that is missing or read-only is said before any frame is drawn.
    if (IsWebpPath(target))
        return WritableFileProblem(target);
    if (std::filesystem::exists(target, ignored) && !std::filesystem::is_directory(target, ignored))
        return target.string() + ": a file, not a folder";
    const std::filesystem::path parent = target.parent_path();
    if (!parent.empty() && !std::filesystem::is_directory(parent, ignored))
        return target.string() + ": no such folder";
    // The frames are staged in the folder, or beside a new one.
    const std::filesystem::path written = std::filesystem::exists(target, ignored) ? target
                                          : parent.empty()                         ? "."
                                                                                   : parent;
    if (access(written.c_str(), W_OK) != 0)
        return written.string() + ": " + std::strerror(errno);
    return {};
}

DensityResult ExportAnimation(const AnimationPlan& plan, const AnimationTarget& target,
                              std::uint64_t available, std::stop_token stop, const DensityProgress& progress,
                              const FrameNote& note, AvailableMemoryProbe probe)
{
    if (std::string problem = AnimationTargetProblem(target.path); !problem.empty())
        return {DensityResult::Outcome::Failed, std::move(problem)};
    AnimationPlan fitted = plan;
    if (std::string refusal = FitAnimation(fitted.options, fitted.frames, IsWebpPath(target.path), available);
        !refusal.empty())
        return {DensityResult::Outcome::Failed, std::move(refusal)};
    FrameWriter writer(target, fitted.options, fitted.frames, probe);
    DensityResult result =
        RenderAnimation(fitted, stop, progress, note,
                        [&writer](const Picture& frame, int index) { return writer.Add(frame, index); });
    if (result.outcome == DensityResult::Outcome::Failed && !writer.Error().empty())
        result.error = writer.Error();
    return FinishExport(result, stop, progress, [&writer] { return writer.Finish(); });
}

} // namespace zephyra
