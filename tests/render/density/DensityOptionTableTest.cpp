#include "DensityOptionTable.h"
#include "PictureRecord.h"

#include <gtest/gtest.h>

#include <set>

namespace zephyra {
namespace {

// Options unlike the defaults in every recorded member.
DensityOptions Unusual()
{
    DensityOptions o;
    o.points = 123456789;
    o.supersample = 3;
    o.tone = ToneMap::Gamma;
    o.gamma = 1.7f;
    o.smooth = 3.5f;
    o.palette = Palette::Viridis;
    o.depth = 16;
    o.seed = 42;
    o.fit = true;
    o.shade = true;
    o.background = Rgb{1.0f, 0.0f, 0.2f};
    return o;
}

TEST(DensityOptionTable, EveryRowReadsBackWhatItWrites)
{
    const DensityOptions unusual = Unusual();
    for (const DensityOptionRow& row : DensityOptionRows()) {
        DensityOptions read;
        ASSERT_TRUE(row.read(row.text(unusual), read)) << row.key << row.option;
        EXPECT_EQ(row.text(read), row.text(unusual)) << row.key << row.option;
        EXPECT_TRUE(row.within(unusual)) << row.key << row.option;
    }
}

TEST(DensityOptionTable, NamesAreUniqueAndHelpLinesAreFilledIn)
{
    std::set<std::string> names;
    for (const DensityOptionRow& row : DensityOptionRows()) {
        if (!row.key.empty()) {
            EXPECT_TRUE(names.insert(row.key).second) << row.key;
        }
        if (!row.option.empty()) {
            EXPECT_EQ(row.option.rfind("--", 0), 0u) << row.option;
            EXPECT_TRUE(names.insert(row.option).second) << row.option;
            EXPECT_EQ(row.help.find('{'), std::string::npos) << row.help;
        }
    }
    EXPECT_EQ(DensityOptionRowOf("--supersample")->help,
              "canvas S times larger each way, averaged down (1 to 8, default 2)");
    EXPECT_EQ(DensityOptionRowOf("tone")->help, "log, eqhist, gamma or linear (default log)");
    EXPECT_EQ(DensityOptionRowOf("--memory")
                  ->help.rfind("canvas memory; larger pictures render in strips (default 2048,", 0),
              0u);
}

TEST(DensityOptionTable, RecordWordsKeepTheirOrderAndLeaveOutUnsetOptionalOnes)
{
    EXPECT_EQ(DensityOptionWords(DensityOptions(), " bw=1"),
              "points=100000000 supersample=2 tone=log gamma=2.2 smooth=2 colors=coords depth=8 seed=1 bw=1");
    DensityOptions o = Unusual();
    o.background.reset();
    o.transparent = true;
    EXPECT_EQ(DensityOptionWords(o, ""),
              "points=123456789 supersample=3 tone=gamma gamma=1.7 smooth=3.5 colors=viridis "
              "depth=16 seed=42 fit=1 shade=1 background=transparent");
}

TEST(DensityOptionTable, RecordWordsReadBackIntoTheSameSettings)
{
    PictureSettings written;
    written.density = true;
    written.options = Unusual();
    PictureSettings read;
    ASSERT_TRUE(ReadSettingsText(SettingsText(written), read));
    EXPECT_EQ(SettingsText(read), SettingsText(written));
    // A word no row keeps is skipped; a value that is none is refused, changing nothing.
    EXPECT_TRUE(ReadSettingsText("renderer=density later=7", read));
    EXPECT_FALSE(ReadSettingsText("renderer=density tone=sepia", read));
    EXPECT_EQ(read.options.tone, ToneMap::Gamma);
    // A record from before the smoothing was drawn without it.
    ASSERT_TRUE(ReadSettingsText("renderer=density width=64 height=48 points=1000", read));
    EXPECT_EQ(read.options.smooth, 0.0f);
}

TEST(DensityOptionTable, TheFirstOptionOutsideItsLimitsIsNamed)
{
    EXPECT_EQ(DensityOptionsProblem(DensityOptions()), "");
    const std::pair<void (*)(DensityOptions&), const char*> cases[] = {
        {[](DensityOptions& o) { o.points = 0; }, "the number of points must be 1 to 1000000000000"},
        {[](DensityOptions& o) { o.supersample = 9; }, "supersampling must be 1 to 8"},
        {[](DensityOptions& o) { o.gamma = 0.0f; }, "gamma must be above 0, at most 100"},
        {[](DensityOptions& o) { o.depth = 12; }, "the depth must be 8 or 16"},
    };
    for (const auto& [spoil, message] : cases) {
        DensityOptions o;
        spoil(o);
        EXPECT_EQ(DensityOptionsProblem(o), message);
    }
    DensityOptions everyCore;
    everyCore.threads = 0; // the renderer takes any number of threads
    EXPECT_EQ(DensityOptionsProblem(everyCore), "");
}

} // namespace
} // namespace zephyra
