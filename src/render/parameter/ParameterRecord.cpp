#include "ParameterRecord.h"

#include "AtomicFile.h"
#include "AttractorText.h"
#include "PictureRecord.h"
#include "Version.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace zephyra {

namespace {

constexpr std::string_view TILE_HEADER = "zephyra tile 1";
constexpr std::string_view ESCAPE_TEXT = "escape";

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

// The options of a record of `kind` ("map x=3 y=5 ..."): every row with a key must be there,
// within its limits; other words are passed over.
template <typename Options>
std::optional<Options> ReadRecord(std::string_view text, std::string_view kind,
                                  const std::vector<OptionRow<Options>>& rows)
{
    const std::optional<Fields> fields = FieldsOf(text, kind);
    if (!fields)
        return std::nullopt;
    Options options;
    for (const OptionRow<Options>& row : rows) {
        if (row.key.empty())
            continue;
        const auto it = fields->find(row.key);
        if (it == fields->end() || !row.read(it->second, options) || !row.within(options))
            return std::nullopt;
    }
    return options;
}

} // namespace

std::optional<MapSettings> ReadMapRecordText(std::string_view text)
{
    return ReadRecord(text, "map", MapOptionRows());
}

std::optional<DiagramSettings> ReadDiagramRecordText(std::string_view text)
{
    return ReadRecord(text, "diagram", DiagramOptionRows());
}

std::vector<PngText> ParameterTexts(const Attractor& attractor, const std::string& record)
{
    return {{ATTRACTOR_CHUNK_KEY, AttractorElementText(attractor)},
            {MAP_CHUNK_KEY, record},
            {"Software", std::string("Zephyra Explorer ") + VERSION}};
}

std::string MapRecordText(const MapSettings& m)
{
    return "map " + OptionWords(MapOptionRows(), m, "");
}

std::string DiagramRecordText(const DiagramSettings& d)
{
    return "diagram " + OptionWords(DiagramOptionRows(), d, "");
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
