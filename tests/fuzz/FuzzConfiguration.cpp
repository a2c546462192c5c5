#include "FuzzEntries.h"

#include "CZephyraDoc.h"
#include "ConfigFile.h"
#include "FakeHost.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"

namespace zephyra::fuzz {

namespace {

bool ChoicesInRange(const DisplaySettings& d)
{
    for (const std::int32_t choice : {d.coordX, d.coordY, d.coordZ, d.colorR, d.colorG, d.colorB})
        if (choice < 0 || choice >= COORD_CHOICES)
            return false;
    return true;
}

// Every value that later indexes a table or sizes a buffer is within what the program can use.
void CheckReadState(const CZephyraDoc& doc)
{
    FUZZ_CHECK(ChoicesInRange(doc.defaults().defaults2D));
    FUZZ_CHECK(ChoicesInRange(doc.defaults().defaults3D));
    FUZZ_CHECK(ChoicesInRange(doc.defaults().defaults4D));
    for (const AttractorList* list : {&doc.favorites(), &doc.history()})
        for (const AttractorRef& entry : *list) {
            FUZZ_CHECK(entry->pointsCount >= 0);
            FUZZ_CHECK(ChoicesInRange(entry->display));
            FUZZ_CHECK(!entry->valid || static_cast<int>(entry->coefficients.size()) == entry->codeLength);
        }
}

// Reads `in` into a fresh document and writes it to `out`; the read must not complain.
void ReadAndWrite(const std::filesystem::path& in, const std::filesystem::path& out)
{
    testing::FakeHost host;
    CZephyraDoc doc(host, nullptr, 1);
    ReadCfg(doc, in);
    FUZZ_CHECK(host.messages.empty());
    CheckReadState(doc);
    WriteCfg(doc, out);
    FUZZ_CHECK(host.messages.empty());
}

} // namespace

int FuzzConfiguration(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path input = ScratchPath("input.xml");
    const std::filesystem::path first = ScratchPath("first.xml");
    const std::filesystem::path second = ScratchPath("second.xml");
    WriteBytes(input, data, size);
    ReadAndWrite(input, first);
    ReadAndWrite(first, second);
    // The file left untouched, and what the program writes reads back to the same file.
    FUZZ_CHECK(ReadBytes(input) == std::string(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(ReadBytes(first) == ReadBytes(second));
    return 0;
}

} // namespace zephyra::fuzz
