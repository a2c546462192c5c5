#include "FuzzEntries.h"

#include "CZephyraDoc.h"
#include "DocumentAccess.h"
#include "DocumentFile.h"
#include "FakeHost.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"

namespace zephyra::fuzz {

namespace {

constexpr const char* HENON = "EWM?MPMMWMMMM";

// Opens the file into a document whose Saved holds one record; false when the open refused it.
bool Open(CZephyraDoc& doc, testing::FakeHost& host, const std::filesystem::path& path)
{
    const AttractorRef before = Attractor::CreateFromCode(HENON, doc.defaults());
    Arrange(doc).saved.AddTail(before);
    const bool opened = OnOpenDocument(doc, path);
    if (opened) {
        FUZZ_CHECK(host.messages.empty() && !doc.IsModified());
    } else {
        // A refused file leaves Saved as it was and says so once.
        FUZZ_CHECK(host.messages.size() == 1 && host.messages[0].title == "Error");
        FUZZ_CHECK(doc.saved().Count() == 1 && doc.saved().GetAt(0) == before);
    }
    for (const AttractorRef& entry : doc.saved())
        FUZZ_CHECK(entry->pointsCount >= 0);
    return opened;
}

} // namespace

int FuzzDocument(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path input = ScratchPath("input.zpr");
    const std::filesystem::path first = ScratchPath("first.zpr");
    const std::filesystem::path second = ScratchPath("second.zpr");
    WriteBytes(input, data, size);

    testing::FakeHost host;
    CZephyraDoc doc(host, nullptr, 1);
    if (!Open(doc, host, input))
        return 0;
    const int records = doc.saved().Count();
    FUZZ_CHECK(OnSaveDocument(doc, first));

    // What was saved reopens to as many records and saves to the same file.
    testing::FakeHost reopenHost;
    CZephyraDoc reopened(reopenHost, nullptr, 1);
    FUZZ_CHECK(Open(reopened, reopenHost, first));
    FUZZ_CHECK(reopened.saved().Count() == records);
    FUZZ_CHECK(OnSaveDocument(reopened, second));
    FUZZ_CHECK(ReadBytes(first) == ReadBytes(second));

    // Join appends the same records again.
    OnSavedJoin(doc, input);
    FUZZ_CHECK(host.messages.empty() && doc.IsModified());
    FUZZ_CHECK(doc.saved().Count() == 2 * records);
    return 0;
}

} // namespace zephyra::fuzz
