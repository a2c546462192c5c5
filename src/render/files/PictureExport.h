#pragma once
#include "DensityRenderer.h"
#include "PictureRecord.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace zephyra {

// Renders a density picture and writes it as a PNG carrying `texts` (the record and settings):
// encoded strip by strip as the renderer hands them over, and written through the atomic writer
// only when whole, so that a stop or a failure leaves the file as it was. Failed carries the
// reason, naming the file. Progress reaches 1 before the file is written, a last chance to stop.
// Before any work the picture is fitted to the `available` bytes (FitDensityPicture): drawn in
// narrower strips, or refused with the reason when even those cannot fit.
[[nodiscard]] DensityResult ExportDensityPicture(const DensityScene& scene, const PictureSettings& settings,
                                                 const std::vector<PngText>& texts,
                                                 const std::filesystem::path& path, std::uint64_t available,
                                                 std::stop_token stop, const DensityProgress& progress);

// The end of an export whose render came back as `rendered`: unless it failed or was stopped,
// progress reaches 1, a stop is looked for a last time, and then `write` puts the file in place
// (an empty text, or why it could not).
[[nodiscard]] DensityResult FinishExport(DensityResult rendered, const std::stop_token& stop,
                                         const DensityProgress& progress,
                                         const std::function<std::string()>& write);

} // namespace zephyra
