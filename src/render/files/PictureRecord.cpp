#include "PictureRecord.h"

#include "AttractorText.h"
#include "Version.h"
#include "WebpRecord.h"
#include "XmlNumbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <utility>

namespace zephyra {

namespace {

template <typename T> bool ReadWhole(std::string_view text, T& value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size();
}

std::string ColorHex(const Rgb& c)
{
    auto byte = [](float v) {
        return static_cast<unsigned>((v > 0.0f ? std::min(v, 1.0f) : 0.0f) * 255.0f + 0.5f);
    };
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", byte(c[0]), byte(c[1]), byte(c[2]));
    return text;
}

} // namespace

std::optional<Rgb> ParseHexColor(std::string_view text)
{
    unsigned value = 0;
    if (text.size() != 6)
        return std::nullopt;
    const auto r = std::from_chars(text.data(), text.data() + 6, value, 16);
    if (r.ec != std::errc() || r.ptr != text.data() + 6)
        return std::nullopt;
    return Rgb{static_cast<float>((value >> 16) & 255) / 255.0f,
               static_cast<float>((value >> 8) & 255) / 255.0f, static_cast<float>(value & 255) / 255.0f};
}

bool ReadBackground(std::string_view text, DensityOptions& options)
{
    const bool transparent = text == TRANSPARENT_BACKGROUND;
    const std::optional<Rgb> color = ParseHexColor(text);
    if (!transparent && !color)
        return false;
    options.transparent = transparent;
    options.background = color;
    return true;
}

std::string SettingsText(const PictureSettings& s)
{
    const DensityOptions& o = s.options;
    std::string text = std::string("renderer=") + (s.density ? "density" : "points") +
                       " width=" + std::to_string(o.width) + " height=" + std::to_string(o.height);
    if (s.dotsPerInch > 0)
        text += " dpi=" + std::to_string(s.dotsPerInch);
    if (!s.density)
        return text + " bw=" + (s.blackWhite ? "1" : "0");
    text += " points=" + std::to_string(o.points) + " supersample=" + std::to_string(o.supersample) +
            " tone=" + std::string(NameOf(o.tone)) + " gamma=" + XmlFloatText(o.gamma) +
            " smooth=" + XmlFloatText(o.smooth) + " colors=" + std::string(NameOf(o.palette)) +
            " depth=" + std::to_string(o.depth) + " seed=" + std::to_string(o.seed);
    // The number of threads is not stored: the pixels do not depend on it.
    if (s.blackWhite)
        text += " bw=1";
    if (o.fit)
        text += " fit=1";
    if (o.transparent)
        text += " background=" + std::string(TRANSPARENT_BACKGROUND);
    else if (o.background)
        text += " background=" + ColorHex(*o.background);
    return text;
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
        } else if (key == "points") {
            ok = ReadWhole(value, o.points);
        } else if (key == "supersample") {
            ok = ReadWhole(value, o.supersample);
        } else if (key == "tone") {
            const auto tone = ToneMapNamed(value);
            ok = tone.has_value();
            o.tone = tone.value_or(o.tone);
        } else if (key == "gamma") {
            ok = ReadWhole(value, o.gamma);
        } else if (key == "smooth") {
            ok = ReadWhole(value, o.smooth) && o.smooth >= 0.0f && o.smooth <= LARGEST_SMOOTH;
        } else if (key == "colors") {
            const auto palette = PaletteNamed(value);
            ok = palette.has_value();
            o.palette = palette.value_or(o.palette);
        } else if (key == "depth") {
            ok = ReadWhole(value, o.depth);
        } else if (key == "seed") {
            ok = ReadWhole(value, o.seed);
        } else if (key == "fit") {
            o.fit = value == "1";
        } else if (key == "background") {
            ok = ReadBackground(value, o);
        } else if (key == "dpi") {
            ok = ReadWhole(value, s.dotsPerInch) && s.dotsPerInch >= 0 &&
                 s.dotsPerInch <= LARGEST_DOTS_PER_INCH;
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
