#include "ParameterRecord.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zephyra {
namespace {

MapSettings UnusualMap()
{
    MapSettings m;
    m.x = {4, -0.1, 1.0 / 3.0};
    m.y = {11, -2e-9, 2e-9}; // a deep zoom needs every digit of a double
    m.width = 37;
    m.height = 29;
    m.transient = 0;
    m.steps = 123;
    return m;
}

DiagramSettings UnusualDiagram()
{
    DiagramSettings d;
    d.x = {7, -1.5, 0.25};
    d.coordinate = 3;
    d.low = -1.3656435809724548;
    d.high = 1.5;
    d.width = 31;
    d.height = 40;
    d.points = 2000;
    d.transient = 9;
    return d;
}

// Pictures and tiles made before the table carry these very words, in this order.
TEST(ParameterOptionTable, RecordsKeepTheirWordsAndOrder)
{
    MapSettings m;
    m.x = {3, -1.9, -0.9};
    m.y = {5, -0.2, 0.8};
    m.width = 16;
    m.height = 12;
    m.steps = 50;
    EXPECT_EQ(MapRecordText(m), "map x=3 y=5 x-range=-1.9..-0.9 y-range=-0.2..0.8 width=16 height=12 "
                                "transient=500 steps=50");
    EXPECT_EQ(DiagramRecordText(UnusualDiagram()),
              "diagram x=7 range=-1.5..0.25 coordinate=w values=-1.3656435809724548..1.5 width=31 height=40 "
              "points=2000 transient=9");
}

TEST(ParameterOptionTable, RecordsReadBackIntoTheSameSettings)
{
    const MapSettings m = UnusualMap();
    const std::optional<MapSettings> map = ReadMapRecordText(MapRecordText(m));
    ASSERT_TRUE(map);
    EXPECT_EQ(MapRecordText(*map), MapRecordText(m));
    EXPECT_EQ(map->y.low, m.y.low);
    EXPECT_EQ(map->x.high, m.x.high);
    const std::optional<DiagramSettings> diagram = ReadDiagramRecordText(DiagramRecordText(UnusualDiagram()));
    ASSERT_TRUE(diagram);
    EXPECT_EQ(DiagramRecordText(*diagram), DiagramRecordText(UnusualDiagram()));
    // The words may stand in any order; a word no row keeps is passed over.
    EXPECT_TRUE(
        ReadMapRecordText("map steps=2 transient=0 height=1 width=1 y-range=0..1 x-range=0..1 y=2 x=1 "
                          "later=7"));
}

TEST(ParameterOptionTable, RecordsWithAMissingOrWrongWordAreRefused)
{
    const std::string map = MapRecordText(UnusualMap());
    const auto spoiled = [&](const std::string& word, const std::string& by) {
        const std::size_t at = map.find(' ' + word + '=');
        const std::size_t end = map.find(' ', at + 1);
        return map.substr(0, at) + by + (end == std::string::npos ? "" : map.substr(end));
    };
    for (const std::string word : {"x", "y", "x-range", "y-range", "width", "height", "transient", "steps"}) {
        SCOPED_TRACE(word);
        EXPECT_FALSE(ReadMapRecordText(spoiled(word, "")));
    }
    for (const char* wrong : {" x=0", " x=three", " x-range=1..1", " x-range=2..1", " x-range=1..inf",
                              " x-range=0.5", " width=0", " height=40000", " steps=0", " transient=-1"}) {
        SCOPED_TRACE(wrong);
        const std::string word(wrong);
        EXPECT_FALSE(ReadMapRecordText(spoiled(word.substr(1, word.find('=') - 1), word)));
    }
    EXPECT_FALSE(ReadMapRecordText("diagram" + map.substr(3)));
    EXPECT_FALSE(ReadMapRecordText(map + " stray"));
    const std::string diagram = DiagramRecordText(UnusualDiagram());
    for (const char* coordinate : {"coordinate=v", "coordinate=", "coordinate=xy"}) {
        std::string text = diagram;
        text.replace(text.find("coordinate=w"), 12, coordinate);
        EXPECT_FALSE(ReadDiagramRecordText(text)) << text;
    }
}

// The command line's help is made of these lines, with the defaults of the settings filled in.
TEST(ParameterOptionTable, HelpLinesNameTheDefaultsAndEveryNameIsOnce)
{
    EXPECT_EQ(OptionRowOf(MapOptionRows(), "--size")->help, "map size in pixels (default 512x512)");
    EXPECT_EQ(OptionRowOf(MapOptionRows(), "--steps")->help, "steps of l1 a pixel (default 2000)");
    EXPECT_EQ(OptionRowOf(DiagramOptionRows(), "--size")->help, "diagram size in pixels (default 1920x1080)");
    EXPECT_EQ(OptionRowOf(DiagramOptionRows(), "--coordinate")->help,
              "the coordinate counted: x, y, z or w (default x)");
    EXPECT_EQ(OptionRowOf(DiagramOptionRows(), "--x")->help,
              "the coefficient across: its place in the code, 1 to M");
    const auto unique = [](const auto& rows) {
        std::set<std::string> names;
        for (const auto& row : rows) {
            EXPECT_FALSE(row.key.empty() && row.option.empty());
            EXPECT_TRUE(row.key.empty() || names.insert(row.key).second) << row.key;
            EXPECT_TRUE(row.option.empty() || names.insert(row.option).second) << row.option;
            EXPECT_EQ(row.help.find('{'), std::string::npos) << row.help;
            // A row the record keeps reads it.
            EXPECT_TRUE(row.key.empty() || row.read) << row.key;
        }
    };
    unique(MapOptionRows());
    unique(DiagramOptionRows());
}

} // namespace
} // namespace zephyra
