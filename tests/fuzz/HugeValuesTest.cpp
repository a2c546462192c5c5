#include "AttractorXml.h"
#include "ConfigFile.h"
#include "DocumentFile.h"
#include "PersistenceFixture.h"
#include "StatusTexts.h"

#include <cmath>

namespace zephyra::testing {

namespace {

// A machine with 4 GiB to give, whatever this one has: refusals do not depend on where tests run.
std::uint64_t FourGiB()
{
    return std::uint64_t{4} << 30;
}

std::string Record(const std::string& attributes)
{
    return "<attractor config=\"" + std::string(HENON) + "\" " + attributes + "/>";
}

std::string Document(const std::string& records)
{
    return "<zephyraSaved>" + records + "</zephyraSaved>";
}

std::string Configuration(const std::string& settings, const std::string& history = "")
{
    return "<zephyra><settings " + settings + "/><history>" + history + "</history></zephyra>";
}

} // namespace

// Values a hand-edited or damaged file may hold: each loads or is refused with the program's own
// message, the file is left as it was, and nothing asks for more than the machine has.
class HugeValues : public PersistenceTest {
protected:
    HugeValues() { doc->SetAvailableMemory(FourGiB); }

    // Opens the text as a document, checking that the file was only read.
    bool Open(const std::string& text)
    {
        const std::filesystem::path path = folder / "values.zpr";
        WriteText(path, text);
        const bool opened = OnOpenDocument(*doc, path);
        EXPECT_EQ(text, ReadText(path));
        return opened;
    }
    void ReadConfiguration(const std::string& text)
    {
        const std::filesystem::path path = folder / "values.xml";
        WriteText(path, text);
        ReadCfg(*doc, path);
        EXPECT_EQ(text, ReadText(path));
    }
    // The record of the document's Saved entry, shown without search.
    void Show(int index) { doc->SetAttractor(doc->saved().GetAt(index), SA_NO_SEARCH | SA_ADD_HISTORY); }
};

// The document's tests show that such a count is refused; here it is read as written.
TEST_F(HugeValues, LargestPointCountIsReadAsWritten)
{
    ASSERT_TRUE(Open(Document(Record("pointsCount=\"2147483647\""))));
    EXPECT_EQ(2147483647, doc->saved().GetAt(0)->pointsCount);
    ReadConfiguration(Configuration("pointsCount=\"2147483647\""));
    EXPECT_EQ(2147483647, doc->defaults().defaultPointsCount);
}

TEST_F(HugeValues, NegativeCountsReadAsNothingToCompute)
{
    ASSERT_TRUE(Open(Document(Record("pointsCount=\"-5\"") + Record("pointsCount=\"-2147483648\""))));
    for (const AttractorRef& entry : doc->saved())
        EXPECT_EQ(0, entry->pointsCount);
    Show(0);
    EXPECT_EQ(TEXT_DONE, host.Status(PANE_MESSAGE));
    EXPECT_EQ(doc->saved().GetAt(0), doc->current());

    // A negative default count reads as 0 too, also for the records that take it as their own.
    ReadConfiguration(Configuration("pointsCount=\"-5\" historyLimit=\"-7\" antialias=\"-3\"",
                                    "<attractor config=\"" + std::string(HENON) + "\"/>"));
    EXPECT_EQ(0, doc->defaults().defaultPointsCount);
    EXPECT_EQ(0, doc->history().GetAt(0)->pointsCount);
    doc->SetAttractor(doc->NewRandomAttractor('F'), SA_RANDOMIZE);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(TEXT_DONE, host.Status(PANE_MESSAGE));
}

TEST_F(HugeValues, AxisAndColourChoicesOutOfRangeTakeTheBuiltInDefaults)
{
    const std::string choices =
        "coordX=\"-5\" coordY=\"99\" coordZ=\"99\" colorR=\"-5\" colorG=\"99\" colorB=\"5\"";
    ASSERT_TRUE(Open(Document(Record(choices))));
    ReadConfiguration(Configuration("", Record(choices)) + "");
    ReadConfiguration("<zephyra><settings><defaults3D " + choices + "/></settings></zephyra>");
    const DisplaySettings builtIn;
    for (const DisplaySettings* display : std::initializer_list<const DisplaySettings*>{
             &doc->saved().GetAt(0)->display, &doc->history().GetAt(0)->display,
             &doc->defaults().defaults3D}) {
        EXPECT_EQ(builtIn.coordX, display->coordX);
        EXPECT_EQ(builtIn.coordY, display->coordY);
        EXPECT_EQ(builtIn.coordZ, display->coordZ);
        EXPECT_EQ(builtIn.colorR, display->colorR);
        EXPECT_EQ(builtIn.colorG, display->colorG);
        EXPECT_EQ(builtIn.colorB, display->colorB);
    }
}

TEST_F(HugeValues, ColourComponentsBeyondRangeSurviveASave)
{
    ASSERT_TRUE(Open(Document(Record("fgColor=\"1e30 nan -1e30\" bgColor=\"NaN inf 0.5\""))));
    const DisplaySettings& read = doc->saved().GetAt(0)->display;
    EXPECT_EQ(1e30f, read.fgColor[0]);
    EXPECT_TRUE(std::isnan(read.fgColor[1]));
    EXPECT_EQ(-1e30f, read.fgColor[2]);
    EXPECT_TRUE(std::isnan(read.bgColor[0]));
    EXPECT_TRUE(std::isinf(read.bgColor[1]));
    Show(0);
    EXPECT_EQ(TEXT_DONE, host.Status(PANE_MESSAGE));

    // Written and read back, the components are the ones that were read.
    const std::filesystem::path copy = folder / "copy.zpr";
    ASSERT_TRUE(OnSaveDocument(*doc, copy));
    ASSERT_TRUE(OnOpenDocument(*doc, copy));
    const DisplaySettings& back = doc->saved().GetAt(0)->display;
    EXPECT_EQ(1e30f, back.fgColor[0]);
    EXPECT_TRUE(std::isnan(back.fgColor[1]));
    EXPECT_TRUE(std::isinf(back.bgColor[1]));
}

TEST_F(HugeValues, TenMegabyteAttributeIsKeptAsItWas)
{
    const std::string longCode = "E" + std::string(10 << 20, 'M');
    ASSERT_TRUE(
        Open(Document("<attractor config=\"" + longCode + "\" x0=\"" + std::string(10 << 20, '7') + "\"/>")));
    const AttractorRef read = doc->saved().GetAt(0);
    EXPECT_FALSE(read->valid);
    EXPECT_EQ(longCode, read->refusedCode);
    EXPECT_TRUE(std::isinf(read->display.x0));
    Show(0);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ("Wrong attractor configuration!", host.messages[0].text);

    const std::filesystem::path copy = folder / "copy.zpr";
    ASSERT_TRUE(OnSaveDocument(*doc, copy));
    EXPECT_NE(std::string::npos, ReadText(copy).find("config=\"" + longCode + "\""));

    ReadConfiguration(Configuration("prefix=\"" + std::string(10 << 20, 'G') + "\""));
    EXPECT_EQ('G', doc->caseLetter());
}

TEST_F(HugeValues, HundredThousandRecordsLoadAndSaveWhole)
{
    constexpr int RECORDS = 100000;
    std::string records;
    for (int i = 0; i < RECORDS; ++i)
        records += Record("pointsCount=\"" + std::to_string(i) + "\"");
    ASSERT_TRUE(Open(Document(records)));
    ASSERT_EQ(RECORDS, doc->saved().Count());
    EXPECT_EQ(RECORDS - 1, doc->saved().GetAt(RECORDS - 1)->pointsCount);

    // The same records as History of the configuration, limited on write as configured.
    ReadConfiguration(Configuration("historyLimit=\"10\"", records));
    ASSERT_EQ(RECORDS, doc->history().Count());
    const std::filesystem::path written = folder / "written.xml";
    WriteCfg(*doc, written);
    CZephyraDoc reread(host, nullptr, 1);
    ReadCfg(reread, written);
    EXPECT_EQ(10, reread.history().Count());
    EXPECT_TRUE(host.messages.empty());
}

} // namespace zephyra::testing
