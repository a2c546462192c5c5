#include "FuzzEntries.h"

#include "AttractorXml.h"
#include "CZephyraDoc.h"
#include "DocumentAccess.h"
#include "FakeHost.h"
#include "FuzzCheck.h"
#include "StatusTexts.h"

#include <cstring>
#include <string_view>

namespace zephyra::fuzz {

namespace {

// Enough for the transient, the chaos measurements and the normalisation, quick enough to fuzz.
constexpr int FUZZ_POINTS = 3000;

// The start point from the bytes after the code, when there are enough of them.
void TakeStartPoint(DisplaySettings& display, std::string_view rest)
{
    float start[4];
    if (rest.size() < sizeof start)
        return;
    std::memcpy(start, rest.data(), sizeof start);
    display.x0 = start[0];
    display.y0 = start[1];
    display.z0 = start[2];
    display.w0 = start[3];
}

// What is written for a record must read back as the same record.
void CheckRecordRoundTrip(const Attractor& a, const AttractorDefaults& defaults)
{
    pugi::xml_document document;
    SaveToXml(a, document);
    const AttractorRef back = LoadFromXml(document.first_child(), defaults);
    FUZZ_CHECK(back->valid == a.valid);
    FUZZ_CHECK(back->code == a.code);
    FUZZ_CHECK(back->pointsCount == a.pointsCount);
    FUZZ_CHECK(back->display.coordX == a.display.coordX && back->display.colorB == a.display.colorB);
}

} // namespace

int FuzzAttractorCode(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Neither the code box nor an XML file can carry a NUL character, so it ends the code as a
    // newline does.
    const std::size_t newline = input.find_first_of(std::string_view("\n\0", 2));
    const std::string_view text = input.substr(0, newline);

    testing::FakeHost host;
    CZephyraDoc doc(host, nullptr, 1);
    Arrange(doc).settings.defaults.defaultPointsCount = FUZZ_POINTS;
    AttractorRef a = Attractor::CreateFromCode(text, doc.defaults());
    if (!a->valid) {
        doc.SetAttractor(a, SA_NO_SEARCH | SA_ADD_HISTORY);
        FUZZ_CHECK(host.messages.size() == 1 && doc.history().Count() == 0 && !doc.current());
        return 0;
    }
    FUZZ_CHECK(a->code == text && a->CaseLetter() == text[0]);
    FUZZ_CHECK(static_cast<int>(a->coefficients.size()) == a->codeLength);
    if (newline != std::string_view::npos)
        TakeStartPoint(a->display, input.substr(newline + 1));

    doc.SetAttractor(a, SA_NO_SEARCH | SA_ADD_HISTORY, text[0]);
    FUZZ_CHECK(host.messages.empty());
    FUZZ_CHECK(doc.history().Count() == 1 && doc.caseLetter() == text[0]);
    FUZZ_CHECK(doc.current() == a && doc.buffer().ready);
    FUZZ_CHECK(doc.buffer().count >= a->pointsCount && a->pointsCount == FUZZ_POINTS);
    FUZZ_CHECK(host.Status(PANE_MESSAGE) == TEXT_DONE);
    CheckRecordRoundTrip(*a, doc.defaults());

    // Stepping walks the code through its neighbours and never leaves the letters.
    a->position = a->CoefficientsCount();
    a->StepForward();
    a->StepBack();
    FUZZ_CHECK(a->code.size() == text.size() && a->code[0] == text[0]);
    return 0;
}

} // namespace zephyra::fuzz
