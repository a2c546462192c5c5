#include "CZephyraDoc.h"

#include "ConfigurationStore.h"
#include "PointGeneration.h"

#include <optional>

namespace zephyra {

namespace {
constexpr const char* TEXT_WRONG_CONFIGURATION = "Wrong attractor configuration!";
constexpr const char* TITLE_ATTRACTOR = "Attractor";
} // namespace

CZephyraDoc::CZephyraDoc(DocumentHost& host, ConfigurationStore* store, std::uint64_t seed)
    : random(seed), host_(host), store_(store)
{
    if (store_)
        store_->Read(*this);
}

CZephyraDoc::~CZephyraDoc()
{
    if (store_)
        store_->Write(*this);
    saved.RemoveAll();
    favorites.RemoveAll();
    history.RemoveAll();
    buffer.points.reset();
    buffer.count = 0;
    current.Reset();
}

bool CZephyraDoc::ComputePoints(const AttractorRef& attractor, bool force, bool search, bool* continueFlag)
{
    ComputeContext context{buffer, current, random, host_, host_, availableMemory, viewCopies};
    return zephyra::ComputePoints(context, attractor, force, search, continueFlag);
}

void CZephyraDoc::SetAttractor(AttractorRef attractor, int flags, char letter)
{
    // A letter that names no case (a mistyped code) would make every later Next fail.
    if (letter != 0 && DescribeCase(letter))
        caseLetter = letter;
    const bool search = (flags & SA_NO_SEARCH) == 0;
    bool proceed = true;
    lastTries = 0;
    // Held from the first try to the last, so the cursor stays busy between tries.
    std::optional<BusyCursor> busy;
    while (attractor) {
        if (!attractor->valid) {
            host_.MessageBox(TEXT_WRONG_CONFIGURATION, TITLE_ATTRACTOR, MessageIcon::Warning);
            return;
        }
        if (!busy)
            busy.emplace(host_);
        if ((flags & SA_RANDOMIZE) && !attractor->Randomize(caseLetter, defaults, random)) {
            host_.MessageBox(TEXT_WRONG_CONFIGURATION, TITLE_ATTRACTOR, MessageIcon::Warning);
            return;
        }
        if (flags & SA_STEP_FORWARD)
            attractor->StepForward();
        if (flags & SA_STEP_BACK)
            attractor->StepBack();
        ++lastTries;
        const bool ok = ComputePoints(attractor, false, search, &proceed);
        if (ok || !search) {
            if (flags & SA_ADD_HISTORY)
                AddToHistory(attractor);
            host_.UpdateAllViews(UH_REDRAW);
            return;
        }
        if (!proceed) {
            // A run cancelled late keeps its partial orbit as the current attractor: show it.
            if (current == attractor)
                host_.UpdateAllViews(UH_REDRAW);
            return;
        }
    }
}

void CZephyraDoc::AddToHistory(const AttractorRef& attractor)
{
    historyPosition = 0;
    history.AddHead(attractor);
    host_.UpdateAllViews(UH_HISTORY_ADDED);
}

void CZephyraDoc::OnNewDocument() { saved.RemoveAll(); }

} // namespace zephyra
