#include "ParameterRecord.h"
#include "PngFile.h"
#include "RunZephyra.h"
#include "Subcommand.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace zephyra::cli;

namespace {

constexpr const char* HENON = "EWM?MPMMWMMMM";

struct ParameterCommands : ::testing::Test {
    std::filesystem::path dir = zephyra::testing::TestFolder("parameter");

    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    static std::string Bytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

// Tiles given in any order join into the very file the whole picture gives, its CSV included.
TEST_F(ParameterCommands, MergedTilesEqualTheWholePicture)
{
    const std::vector<std::string> map = {
        "map",    HENON,   "--x",     "3",   "--y",         "5",  "--x-range=-2..0", "--y-range=-0.5..0.6",
        "--size", "37x29", "--steps", "300", "--transient", "100"};
    const std::vector<std::string> diagram = {"diagram", HENON,   "--x",      "3",   "--range=-1.5..0",
                                              "--size",  "31x40", "--points", "2000"};
    for (const auto& [command, extra] :
         {std::pair{map, std::string("--legend")}, {diagram, std::string("-q")}}) {
        SCOPED_TRACE(command[0]);
        std::vector<std::string> whole = command;
        whole.insert(whole.end(), {extra, "--csv", Path("whole.csv"), "-o", Path("whole.png")});
        ASSERT_EQ(RunZephyra(whole).code, 0);
        std::vector<std::string> merge = {command[0], "--merge"};
        for (const char* k : {"3", "1", "2"}) {
            std::vector<std::string> tile = command;
            tile.insert(tile.end(), {"--tile", std::string(k) + "/3", "-o", Path(std::string("t") + k)});
            ASSERT_EQ(RunZephyra(tile).code, 0) << k;
            merge.push_back(Path(std::string("t") + k));
        }
        merge.insert(merge.end(), {extra, "--csv", Path("merged.csv"), "-o", Path("merged.png")});
        const Result merged = RunZephyra(merge);
        ASSERT_EQ(merged.code, 0) << merged.err;
        EXPECT_EQ(Bytes(Path("merged.png")), Bytes(Path("whole.png")));
        EXPECT_EQ(Bytes(Path("merged.csv")), Bytes(Path("whole.csv")));
        EXPECT_FALSE(Bytes(Path("whole.csv")).empty());
    }
}

TEST_F(ParameterCommands, PicturesNameTheirMapAndAttractor)
{
    const std::string png = Path("m.png");
    ASSERT_EQ(
        RunZephyra({"map", HENON, "--x", "3", "--y", "5", "--size", "16x12", "--steps", "50", "-o", png})
            .code,
        0);
    const std::vector<std::string> lines = Lines(RunZephyra({"list", png}).out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind(std::string("picture ") + HENON, 0), 0u);
    // Default ranges: the code's values +- 0.5.
    EXPECT_EQ(lines[1], "map x=3 y=5 x-range=-1.9..-0.9 y-range=-0.2..0.8 width=16 height=12 transient=500 "
                        "steps=50");
    const std::string csv = Path("m.csv");
    ASSERT_EQ(
        RunZephyra({"map", HENON, "--x", "3", "--y", "5", "--size", "2x2", "--csv", csv, "-o", png}).code, 0);
    const std::vector<std::string> rows = Lines(Bytes(csv));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(std::count(rows[0].begin(), rows[0].end(), ','), 2) << rows[0];
}

// Each wrong command line: one line saying what is wrong (a usage error adds the usage line), the
// exit code, and no file written.
TEST_F(ParameterCommands, BadInputIsOneLineAndWritesNothing)
{
    const std::string out = Path("out.png");
    struct Case {
        std::vector<std::string> arguments;
        int code;
    };
    const std::vector<Case> cases = {
        {{"map", HENON, "--x", "0", "--y", "5"}, 2},
        {{"map", HENON, "--x", "13", "--y", "5"}, 2},
        {{"map", HENON, "--x", "3", "--y", "3"}, 2},
        {{"map", HENON, "--x", "3"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--x-range=1..1"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--y-range=2..1"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--x-range=1..nan"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--size", "0x5"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--size", "40000x5"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--steps", "0"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--transient", "-1"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--tile", "0/4"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--tile", "5/4"}, 2},
        {{"map", HENON, "--x", "3", "--y", "5", "--tile", "x"}, 2},
        {{"map", "EWM", "--x", "3", "--y", "5"}, 1},
        {{"diagram", HENON, "--x", "3", "--coordinate", "z"}, 2},
        {{"diagram", HENON, "--x", "3", "--range=0..-1"}, 2},
        {{"diagram", HENON, "--x", "3", "--points", "0"}, 2},
        {{"map", "--merge"}, 2},
        {{"map", "--merge", Path("missing.tile")}, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"-o", out});
        const Result r = RunZephyra(arguments);
        SCOPED_TRACE(::testing::PrintToString(arguments));
        EXPECT_EQ(r.code, c.code) << r.err;
        const std::vector<std::string> lines = Lines(r.err);
        ASSERT_EQ(lines.size(), c.code == 2 ? 2u : 1u) << r.err;
        EXPECT_EQ(lines[0].rfind("zephyra " + c.arguments[0] + ": ", 0), 0u) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(ParameterCommands, TilesOfDifferentPicturesOrIncompleteSetsAreRefused)
{
    const std::vector<std::string> map = {"map", HENON,    "--x", "3",       "--y",
                                          "5",   "--size", "8x8", "--steps", "20"};
    auto tile = [&](std::vector<std::string> arguments, const std::string& band, const std::string& name) {
        arguments.insert(arguments.end(), {"--tile", band, "-o", Path(name)});
        ASSERT_EQ(RunZephyra(arguments).code, 0);
    };
    tile(map, "1/2", "a1");
    tile(map, "2/2", "a2");
    std::vector<std::string> other = map;
    other[5] = "4"; // another coefficient upwards
    tile(other, "2/2", "b2");
    const std::string out = Path("out.png");
    for (const std::vector<std::string>& tiles : {std::vector<std::string>{Path("a1"), Path("b2")},
                                                  {Path("a1")},
                                                  {Path("a1"), Path("a1")},
                                                  {Path("a1"), Path("a2"), Path("a2")}}) {
        std::vector<std::string> arguments = {"map", "--merge"};
        arguments.insert(arguments.end(), tiles.begin(), tiles.end());
        arguments.insert(arguments.end(), {"-o", out});
        const Result r = RunZephyra(arguments);
        EXPECT_EQ(r.code, 1) << r.err;
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // A map's tiles are no diagram's.
    EXPECT_EQ(RunZephyra({"diagram", "--merge", Path("a1"), Path("a2"), "-o", out}).code, 1);
    // Nor are tiles whose record names a coefficient their attractor does not have.
    for (const char* name : {"a1", "a2"}) {
        std::optional<zephyra::Tile> t = zephyra::ReadTile(Path(name));
        ASSERT_TRUE(t);
        for (zephyra::PngText& text : t->texts)
            if (text.key == zephyra::MAP_CHUNK_KEY)
                text.text.replace(text.text.find(" x=3 "), 5, " x=90000 ");
        ASSERT_EQ(zephyra::WriteTile(Path(std::string("far") + name), *t), "");
    }
    const Result far = RunZephyra({"map", "--merge", Path("fara1"), Path("fara2"), "-o", out});
    EXPECT_EQ(far.err, "zephyra map: the tiles are not those of a map\n");
    EXPECT_EQ(far.code, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The help of map and diagram lists every option of their tables.
TEST(ParameterCommandOptions, EveryTableOptionIsOneOfTheCommand)
{
    const auto listed = [](std::string_view command, const auto& rows) {
        const Subcommand* c = FindSubcommand(command);
        ASSERT_NE(c, nullptr);
        for (const auto& row : rows) {
            if (row.option.empty())
                continue;
            EXPECT_EQ(std::count_if(c->options.begin(), c->options.end(),
                                    [&](const CommandOption& o) {
                                        return o.names == row.option && o.help == row.help &&
                                               o.value == row.value;
                                    }),
                      1)
                << command << " " << row.option;
        }
    };
    listed("map", zephyra::MapOptionRows());
    listed("diagram", zephyra::DiagramOptionRows());
}

} // namespace
