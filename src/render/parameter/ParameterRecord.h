#pragma once
#include "LyapunovMap.h"
#include "OrbitDiagram.h"
#include "ParameterOptionTable.h"
#include "PngFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra {

// What a map or diagram picture carries beside the attractor's record, so that `list` names it (the
// words of the rows of ParameterOptionTable.h):
// "map x=3 y=5 x-range=-1.9..-0.9 y-range=-0.2..0.8 width=512 height=512 transient=500 steps=2000"
// or "diagram x=3 range=... coordinate=x values=LOW..HIGH width=... height=... points=... transient=...".
inline constexpr const char* MAP_CHUNK_KEY = "zephyra:map";

[[nodiscard]] std::string MapRecordText(const MapSettings& settings);
[[nodiscard]] std::string DiagramRecordText(const DiagramSettings& settings);
// The settings back from such a text; nothing for a text that is not one or not whole.
[[nodiscard]] std::optional<MapSettings> ReadMapRecordText(std::string_view text);
[[nodiscard]] std::optional<DiagramSettings> ReadDiagramRecordText(std::string_view text);
// What a map or diagram picture (and each of its tiles) carries: the attractor's record, the map's
// record, the program.
[[nodiscard]] std::vector<PngText> ParameterTexts(const Attractor& attractor, const std::string& record);

// The K-th of N bands of `length` rows or columns: [first, first + count).
struct Band {
    int first = 0;
    int count = 0;
};
[[nodiscard]] Band BandOf(int k, int n, int length);

// One band of a map (rows) or a diagram (columns), computed alone and joined by `--merge`: the
// texts the whole picture carries, which band of how many, and its values in the order the whole
// holds them (λ1 with escape as NaN, or counts).
struct Tile {
    int index = 0; // 1 to count
    int count = 0;
    std::vector<PngText> texts;
    std::vector<double> values;
};

// Written through the atomic writer; an empty text on success, else what went wrong.
[[nodiscard]] std::string WriteTile(const std::filesystem::path& path, const Tile& tile);
// Nothing for a file that is missing or no tile.
[[nodiscard]] std::optional<Tile> ReadTile(const std::filesystem::path& path);

// The values of the whole from tiles of one picture, each band once; else why they do not join.
struct MergedTiles {
    std::vector<PngText> texts;
    std::vector<double> values;
    std::string error;
};
[[nodiscard]] MergedTiles MergeTiles(std::vector<Tile> tiles);

} // namespace zephyra
