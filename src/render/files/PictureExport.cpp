#include "PictureExport.h"

#include "PictureBudget.h"

namespace zephyra {

DensityResult ExportDensityPicture(const DensityScene& scene, const PictureSettings& settings,
                                   const std::vector<PngText>& texts, const std::filesystem::path& path,
                                   std::uint64_t available, std::stop_token stop,
                                   const DensityProgress& progress)
{
    DensityOptions o = settings.options;
    if (std::string refusal = FitDensityPicture(o, available); !refusal.empty())
        return {DensityResult::Outcome::Failed, std::move(refusal)};
    PngEncoder encoder({o.width, o.height, o.depth, o.transparent, settings.dotsPerInch}, texts);
    const DensityResult result =
        RenderDensity(scene, o, stop, progress, [&](const Picture& strip, int) { encoder.AddRows(strip); });
    return FinishExport(result, stop, progress, [&] { return WritePngFile(path, encoder.Finish()); });
}

DensityResult FinishExport(DensityResult rendered, const std::stop_token& stop,
                           const DensityProgress& progress, const std::function<std::string()>& write)
{
    if (rendered.outcome != DensityResult::Outcome::Finished)
        return rendered;
    if (progress)
        progress(1.0);
    if (stop.stop_requested())
        return {DensityResult::Outcome::Cancelled, {}};
    if (std::string error = write(); !error.empty())
        return {DensityResult::Outcome::Failed, std::move(error)};
    return rendered;
}

} // namespace zephyra
