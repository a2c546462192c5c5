#include "CZephyraDoc.h"

#include "ConfigurationStore.h"
#include "PointGeneration.h"
#include "StatusTexts.h"

#include <optional>

namespace zephyra {

namespace {
constexpr const char* TITLE_ATTRACTOR = "Attractor";
constexpr float DEFAULT_4D_GREY = 0.6f;

// Takes out the first entry that is that very record; false when the list holds none.
bool RemoveRecord(AttractorList& list, const Attractor* record)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.GetAt(i).get() == record) {
            list.RemoveAt(i);
            return true;
        }
    }
    return false;
}
} // namespace

CZephyraDoc::CZephyraDoc(DocumentHost& host, ConfigurationStore* store, std::uint64_t seed)
    : random(seed), host_(host), store_(store)
{
    // A new 4D attractor is coloured as a grey scale of its fourth coordinate unless the
    // configuration file says otherwise, in the window and on the command line alike.
    DisplaySettings& d4 = defaults.defaults4D;
    d4.colorR = d4.colorG = d4.colorB = COORD_W;
    // Grey up to 60 %: at full white the points of high w would vanish into the white background.
    d4.fgColor = {DEFAULT_4D_GREY, DEFAULT_4D_GREY, DEFAULT_4D_GREY};
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
    ComputeContext context{buffer, current, random, host_, host_, availableMemory, viewCopies, &spare_};
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
        // A record read from a file may carry a camera nothing can be drawn through (a NaN, a
        // field of view of 0): the view would stay blank and the history would keep it.
        if (!attractor->HasDrawableCamera())
            attractor->ResetCamera();
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
            UpdateAllViews(UH_REDRAW);
            return;
        }
        if (!proceed) {
            // A run cancelled late keeps its partial orbit as the current attractor: show it.
            if (current == attractor)
                UpdateAllViews(UH_REDRAW);
            return;
        }
    }
}

void CZephyraDoc::AddToHistory(const AttractorRef& attractor)
{
    historyPosition = 0;
    history.AddHead(attractor);
    UpdateAllViews(UH_HISTORY_ADDED);
}

void CZephyraDoc::OnNewDocument()
{
    saved.RemoveAll();
    modified_ = false;
    UpdateAllViews(UH_ALL);
}

void CZephyraDoc::ReplaceSaved(AttractorList records)
{
    std::swap(saved, records);
    modified_ = false;
    UpdateAllViews(UH_SAVED_RELOADED | UH_SAVED_SHOWN);
}

void CZephyraDoc::JoinSaved(const AttractorList& records)
{
    for (const AttractorRef& record : records)
        saved.AddTail(record);
    modified_ = true;
    UpdateAllViews(UH_SAVED_RELOADED | UH_SAVED_SHOWN);
}

void CZephyraDoc::AddToSaved()
{
    if (!current)
        return;
    saved.AddTail(current->Clone(defaults));
    modified_ = true;
    UpdateAllViews(UH_SAVED_ADDED);
}

void CZephyraDoc::AddToFavorites()
{
    if (!current)
        return;
    favorites.AddTail(current->Clone(defaults));
    UpdateAllViews(UH_FAVORITE_ADDED);
}

void CZephyraDoc::ClearFavorites()
{
    favorites.RemoveAll();
    UpdateAllViews(UH_FAVORITES_RELOADED);
}

// Saved is the document's content, so removing from it modifies the document.
void CZephyraDoc::RemoveSaved(const Attractor* record)
{
    if (!RemoveRecord(saved, record))
        return;
    modified_ = true;
    UpdateAllViews(UH_SAVED_REMOVED);
}

void CZephyraDoc::RemoveFavorite(const Attractor* record)
{
    if (RemoveRecord(favorites, record))
        UpdateAllViews(UH_FAVORITE_REMOVED);
}

void CZephyraDoc::ToggleViewFlag(bool CZephyraDoc::*flag, bool redraw)
{
    this->*flag = !(this->*flag);
    if (redraw)
        UpdateAllViews(UH_REDRAW);
}

} // namespace zephyra
