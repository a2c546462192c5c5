#pragma once
#include "DensityRenderer.h"
#include "PngFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra {

// What a picture carries so that it can be opened and rendered again: the attractor's record in
// the files' XML form, and the settings it was rendered with.
inline constexpr const char* ATTRACTOR_CHUNK_KEY = "zephyra:attractor";
inline constexpr const char* SETTINGS_CHUNK_KEY = "zephyra:render";

// The print resolutions a picture may state, in dots an inch.
inline constexpr int LARGEST_DOTS_PER_INCH = 100000;

// How a picture was made: the density renderer with its options, or the point renderer.
struct PictureSettings {
    bool density = false;
    DensityOptions options; // size for both; the rest for density pictures
    bool blackWhite = false;
    int dotsPerInch = 0; // the size it prints at (a print preset or --dpi); 0: none chosen
};

// "key=value" words, e.g. "renderer=density width=1920 height=1080 ... seed=1".
[[nodiscard]] std::string SettingsText(const PictureSettings& settings);
// Fields present in the text override those of `settings`; false, changing nothing, for a text it
// cannot read or one with no pixels.
[[nodiscard]] bool ReadSettingsText(std::string_view text, PictureSettings& settings);

[[nodiscard]] std::vector<PngText> PictureTexts(const Attractor& attractor, const PictureSettings& settings);
// Whether the path ends in `extension` (".png"), in any case of its letters.
[[nodiscard]] bool HasExtension(const std::filesystem::path& path, std::string_view extension);
// Whether the file is a picture that may carry a record: a PNG, or a WebP animation.
[[nodiscard]] bool IsPictureFile(const std::filesystem::path& path);
// The record a picture file (PNG or WebP) carries and its settings text; nothing for a file that
// is no such picture or carries no record.
struct StoredPicture {
    AttractorRef attractor;
    std::optional<std::string> settings;
};
[[nodiscard]] std::optional<StoredPicture> ReadPictureRecord(const std::filesystem::path& path,
                                                             const AttractorDefaults& defaults);

// The text of a chunk, if the picture has it.
[[nodiscard]] std::optional<std::string> ChunkText(const std::vector<PngText>& texts, std::string_view key);

} // namespace zephyra
