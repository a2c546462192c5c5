#include "PictureRecord.h"

#include "AttractorText.h"
#include "DensityOptionTable.h"
#include "Version.h"
#include "WebpRecord.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

namespace zephyra {

namespace {

template <typename T> bool ReadWhole(std::string_view text, T& value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size();
}

} // namespace

std::string SettingsText(const PictureSettings& s)
{
    const DensityOptions& o = s.options;
    std::string text = std::string("renderer=") + (s.density ? "density" : "points") +
                       " width=" + std::to_string(o.width) + " height=" + std::to_string(o.height);
    if (s.dotsPerInch > 0)
        text += " dpi=" + std::to_string(s.dotsPerInch);
    if (!s.density)
        return text + " bw=" + (s.blackWhite ? "1" : "0");
    // The number of threads and the canvas memory are not stored: the pixels do not depend on them.
    return text + ' ' + DensityOptionWords(o, s.blackWhite ? " bw=1" : "");
}

namespace {

bool ReadSettingsWords(std::string_view text, PictureSettings& s)
{
    DensityOptions& o = s.options;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (word.empty())
            continue;
        const std::size_t equals = word.find('=');
        if (equals == std::string_view::npos)
            return false;
        const std::string_view key = word.substr(0, equals), value = word.substr(equals + 1);
        bool ok = true;
        if (key == "renderer") {
            ok = value == "density" || value == "points";
            s.density = value == "density";
        } else if (key == "width") {
            ok = ReadWhole(value, o.width);
        } else if (key == "height") {
            ok = ReadWhole(value, o.height);
        } else if (key == "bw") {
            s.blackWhite = value == "1";
        } else if (key == "dpi") {
            ok = ReadWhole(value, s.dotsPerInch) && s.dotsPerInch >= 0 &&
                 s.dotsPerInch <= LARGEST_DOTS_PER_INCH;
        } else {
            ok = ReadDensityOptionWord(key, value, o).value_or(true);
        }
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool ReadSettingsText(std::string_view text, PictureSettings& settings)
{
    PictureSettings read = settings;
    // Pictures from before the smoothing was offered were drawn without it.
    read.options.smooth = 0.0f;
    // A hand-edited size of no pixels would reach the renderers as an empty picture.
    if (!ReadSettingsWords(text, read) || read.options.width < 1 || read.options.height < 1)
        return false;
    settings = read;
    return true;
}

std::vector<PngText> PictureTexts(const Attractor& attractor, const PictureSettings& settings)
{
    return {{ATTRACTOR_CHUNK_KEY, AttractorElementText(attractor)},
            {SETTINGS_CHUNK_KEY, SettingsText(settings)},
            {"Software", std::string("Zephyra Explorer ") + VERSION}};
}

bool HasExtension(const std::filesystem::path& path, std::string_view extension)
{
    const std::string own = path.extension().string();
    return std::equal(own.begin(), own.end(), extension.begin(), extension.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

bool IsPictureFile(const std::filesystem::path& path)
{
    return IsPngFile(path) || IsWebpFile(path);
}

std::optional<StoredPicture> ReadPictureRecord(const std::filesystem::path& path,
                                               const AttractorDefaults& defaults)
{
    std::optional<std::vector<PngText>> texts;
    if (IsWebpFile(path))
        texts = ReadWebpTexts(path);
    else if (std::optional<DecodedPng> png = ReadPng(path, false))
        texts = std::move(png->texts);
    if (!texts)
        return std::nullopt;
    const std::optional<std::string> record = ChunkText(*texts, ATTRACTOR_CHUNK_KEY);
    AttractorRef attractor = record ? AttractorFromElementText(*record, defaults) : AttractorRef();
    if (!attractor)
        return std::nullopt;
    return StoredPicture{attractor, ChunkText(*texts, SETTINGS_CHUNK_KEY)};
}

std::optional<std::string> ChunkText(const std::vector<PngText>& texts, std::string_view key)
{
    for (const PngText& t : texts)
        if (t.key == key)
            return t.text;
    return std::nullopt;
}

} // namespace zephyra
