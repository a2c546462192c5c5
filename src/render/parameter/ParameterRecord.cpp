#include "ParameterRecord.h"

#include "AtomicFile.h"
#include "AttractorText.h"
#include "PictureRecord.h"
#include "Version.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace zephyra {

namespace {

constexpr std::string_view TILE_HEADER = "zephyra tile 1";
constexpr std::string_view ESCAPE_TEXT = "escape";
constexpr char COORDINATES[] = "xyzw";

std::string Number(double v)
{
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

// Reads "WORD NUMBER" from the stream; false when the word differs or no number follows.
bool Expect(std::istream& in, std::string_view word, long long& number)
{
    std::string w;
    return static_cast<bool>(in >> w >> number) && w == word;
}

using Fields = std::map<std::string, std::string, std::less<>>;

// The key=value words after `kind`; nothing when the text is of another kind.
std::optional<Fields> FieldsOf(std::string_view text, std::string_view kind)
{
    std::istringstream in{std::string(text)};
    std::string word;
    if (!(in >> word) || word != kind)
        return std::nullopt;
    Fields fields;
    while (in >> word) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos)
            return std::nullopt;
        fields[word.substr(0, equals)] = word.substr(equals + 1);
    }
    return fields;
}

bool ReadDouble(std::string_view text, double& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool ReadInt(const Fields& f, const char* key, int& value, int low)
{
    const auto it = f.find(key);
    if (it == f.end())
        return false;
    const auto [end, error] =
        std::from_chars(it->second.data(), it->second.data() + it->second.size(), value);
    return error == std::errc() && end == it->second.data() + it->second.size() && value >= low;
}

bool ReadRange(const Fields& f, const char* key, double& low, double& high)
{
    const auto it = f.find(key);
    if (it == f.end())
        return false;
    const std::size_t dots = it->second.find("..");
    return dots != std::string::npos && ReadDouble(std::string_view(it->second).substr(0, dots), low) &&
           ReadDouble(std::string_view(it->second).substr(dots + 2), high) && low < high;
}

} // namespace

std::optional<MapSettings> ReadMapRecordText(std::string_view text)
{
    const std::optional<Fields> f = FieldsOf(text, "map");
    MapSettings m;
    if (!f || !ReadInt(*f, "x", m.x.place, 1) || !ReadInt(*f, "y", m.y.place, 1) ||
        !ReadRange(*f, "x-range", m.x.low, m.x.high) || !ReadRange(*f, "y-range", m.y.low, m.y.high) ||
        !ReadInt(*f, "width", m.width, 1) || !ReadInt(*f, "height", m.height, 1) ||
        !ReadInt(*f, "transient", m.transient, 0) || !ReadInt(*f, "steps", m.steps, 1))
        return std::nullopt;
    return m;
}

std::optional<DiagramSettings> ReadDiagramRecordText(std::string_view text)
{
    const std::optional<Fields> f = FieldsOf(text, "diagram");
    DiagramSettings d;
    if (!f || !ReadInt(*f, "x", d.x.place, 1) || !ReadRange(*f, "range", d.x.low, d.x.high) ||
        !ReadRange(*f, "values", d.low, d.high) || !ReadInt(*f, "width", d.width, 1) ||
        !ReadInt(*f, "height", d.height, 1) || !ReadInt(*f, "points", d.points, 1) ||
        !ReadInt(*f, "transient", d.transient, 0))
        return std::nullopt;
    const auto c = f->find("coordinate");
    const char* at =
        c == f->end() || c->second.size() != 1 ? nullptr : std::strchr(COORDINATES, c->second[0]);
    if (!at || !*at)
        return std::nullopt;
    d.coordinate = static_cast<int>(at - COORDINATES);
    return d;
}

std::vector<PngText> ParameterTexts(const Attractor& attractor, const std::string& record)
{
    return {{ATTRACTOR_CHUNK_KEY, AttractorElementText(attractor)},
            {MAP_CHUNK_KEY, record},
            {"Software", std::string("Zephyra Explorer ") + VERSION}};
}

std::string RangeText(double low, double high)
{
    return Number(low) + ".." + Number(high);
}

std::string MapRecordText(const MapSettings& m)
{
    return "map x=" + std::to_string(m.x.place) + " y=" + std::to_string(m.y.place) +
           " x-range=" + RangeText(m.x.low, m.x.high) + " y-range=" + RangeText(m.y.low, m.y.high) +
           " width=" + std::to_string(m.width) + " height=" + std::to_string(m.height) +
           " transient=" + std::to_string(m.transient) + " steps=" + std::to_string(m.steps);
}

std::string DiagramRecordText(const DiagramSettings& d)
{
    return "diagram x=" + std::to_string(d.x.place) + " range=" + RangeText(d.x.low, d.x.high) +
           " coordinate=" + std::string(1, COORDINATES[d.coordinate]) +
           " values=" + RangeText(d.low, d.high) + " width=" + std::to_string(d.width) +
           " height=" + std::to_string(d.height) + " points=" + std::to_string(d.points) +
           " transient=" + std::to_string(d.transient);
}

Band BandOf(int k, int n, int length)
{
    const auto edge = [&](int i) { return static_cast<int>(static_cast<long long>(i) * length / n); };
    return {edge(k - 1), edge(k) - edge(k - 1)};
}

std::string WriteTile(const std::filesystem::path& path, const Tile& tile)
{
    std::string out;
    out.append(TILE_HEADER).append("\nband ").append(std::to_string(tile.index)).append(" ");
    out.append(std::to_string(tile.count)).append("\ntexts ").append(std::to_string(tile.texts.size()));
    out.append("\n");
    for (const PngText& t : tile.texts)
        out.append(t.key)
            .append("\n")
            .append(std::to_string(t.text.size()))
            .append("\n")
            .append(t.text)
            .append("\n");
    out.append("values ").append(std::to_string(tile.values.size())).append("\n");
    char text[64];
    for (const double v : tile.values) {
        if (IsEscape(v))
            out.append(ESCAPE_TEXT);
        else
            out.append(text, std::to_chars(text, text + sizeof text, v, std::chars_format::hex).ptr);
        out.push_back('\n');
    }
    return WriteFileSayingWhy(path, out);
}

std::optional<Tile> ReadTile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string header;
    if (!file || !std::getline(file, header) || header != TILE_HEADER)
        return std::nullopt;
    Tile tile;
    long long index = 0, count = 0, texts = 0, values = 0;
    if (!Expect(file, "band", index) || !(file >> count) || !Expect(file, "texts", texts) || texts < 0 ||
        texts > 64)
        return std::nullopt;
    tile.index = static_cast<int>(std::clamp(index, -1LL, 1LL << 30));
    tile.count = static_cast<int>(std::clamp(count, -1LL, 1LL << 30));
    file.get();
    for (long long i = 0; i < texts; ++i) {
        PngText t;
        long long length = 0;
        if (!std::getline(file, t.key) || !(file >> length) || length < 0 || length > (1LL << 26))
            return std::nullopt;
        file.get();
        t.text.resize(static_cast<std::size_t>(length));
        if (!file.read(t.text.data(), length) || file.get() != '\n')
            return std::nullopt;
        tile.texts.push_back(std::move(t));
    }
    if (!Expect(file, "values", values) || values < 0 || values > (1LL << 40))
        return std::nullopt;
    std::string word;
    for (long long i = 0; i < values; ++i) {
        if (!(file >> word))
            return std::nullopt;
        double v = MAP_ESCAPE;
        if (word != ESCAPE_TEXT) {
            const auto [end, error] =
                std::from_chars(word.data(), word.data() + word.size(), v, std::chars_format::hex);
            if (error != std::errc() || end != word.data() + word.size())
                return std::nullopt;
        }
        tile.values.push_back(v);
    }
    return tile;
}

MergedTiles MergeTiles(std::vector<Tile> tiles)
{
    MergedTiles merged;
    if (tiles.empty()) {
        merged.error = "no tiles";
        return merged;
    }
    std::sort(tiles.begin(), tiles.end(), [](const Tile& a, const Tile& b) { return a.index < b.index; });
    const Tile& first = tiles.front();
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const Tile& t = tiles[i];
        if (t.count != first.count || t.texts.size() != first.texts.size() ||
            !std::equal(
                t.texts.begin(), t.texts.end(), first.texts.begin(),
                [](const PngText& a, const PngText& b) { return a.key == b.key && a.text == b.text; })) {
            merged.error = "the tiles belong to different pictures";
            return merged;
        }
        if (t.index < 1 || t.index > t.count) {
            merged.error =
                "a tile says it is band " + std::to_string(t.index) + " of " + std::to_string(t.count);
            return merged;
        }
        if (t.index != static_cast<int>(i) + 1) {
            merged.error =
                t.index == static_cast<int>(i)
                    ? "tile " + std::to_string(t.index) + " is given twice"
                    : "tile " + std::to_string(i + 1) + " of " + std::to_string(first.count) + " is missing";
            return merged;
        }
    }
    if (static_cast<int>(tiles.size()) != first.count) {
        merged.error =
            "tile " + std::to_string(tiles.size() + 1) + " of " + std::to_string(first.count) + " is missing";
        return merged;
    }
    merged.texts = first.texts;
    for (Tile& t : tiles)
        merged.values.insert(merged.values.end(), t.values.begin(), t.values.end());
    return merged;
}

} // namespace zephyra
