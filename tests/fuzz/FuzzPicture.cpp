#include "FuzzEntries.h"

#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "PictureRecord.h"

namespace zephyra::fuzz {

int FuzzPicture(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path input = ScratchPath("input.png");
    WriteBytes(input, data, size);
    // libFuzzer's memory limit catches a length taken for an allocation.
    if (const std::optional<DecodedPng> png = ReadPng(input, true))
        FUZZ_CHECK(png->picture.Width() > 0 && png->picture.Height() > 0);
    const std::optional<StoredPicture> stored = ReadPictureRecord(input, AttractorDefaults{});
    if (!stored)
        return 0;
    FUZZ_CHECK(stored->attractor && stored->attractor->pointsCount >= 0);
    if (stored->settings) {
        PictureSettings settings;
        (void)ReadSettingsText(*stored->settings, settings);
    }
    return 0;
}

} // namespace zephyra::fuzz
