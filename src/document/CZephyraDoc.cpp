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

bool SameStartPoint(const DisplaySettings& a, const DisplaySettings& b)
{
    return a.x0 == b.x0 && a.y0 == b.y0 && a.z0 == b.z0 && a.w0 == b.w0;
}
} // namespace

CZephyraDoc::CZephyraDoc(DocumentHost& host, ConfigurationStore* store, std::uint64_t seed)
    : host_(host), store_(store), random_(seed)
{
    // A new 4D attractor is coloured as a grey scale of its fourth coordinate unless the
    // configuration file says otherwise, in the window and on the command line alike.
    DisplaySettings& d4 = settings_.defaults.defaults4D;
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
    saved_.RemoveAll();
    favorites_.RemoveAll();
    history_.RemoveAll();
    buffer_.points.reset();
    buffer_.count = 0;
    current_.Reset();
}

bool CZephyraDoc::ComputePoints(const AttractorRef& attractor, bool force, bool search, bool* continueFlag)
{
    ComputeContext context{buffer_, current_, random_, host_, host_, availableMemory_, viewCopies_, &spare_};
    return zephyra::ComputePoints(context, attractor, force, search, continueFlag);
}

void CZephyraDoc::SetAttractor(AttractorRef attractor, int flags, char letter)
{
    // A letter that names no case (a mistyped code) would make every later Next fail.
    if (letter != 0 && DescribeCase(letter))
        settings_.caseLetter = letter;
    const bool search = (flags & SA_NO_SEARCH) == 0;
    bool proceed = true;
    lastTries_ = 0;
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
        if ((flags & SA_RANDOMIZE) &&
            !attractor->Randomize(settings_.caseLetter, settings_.defaults, random_)) {
            host_.MessageBox(TEXT_WRONG_CONFIGURATION, TITLE_ATTRACTOR, MessageIcon::Warning);
            return;
        }
        if (flags & SA_STEP_FORWARD)
            attractor->StepForward();
        if (flags & SA_STEP_BACK)
            attractor->StepBack();
        ++lastTries_;
        const bool ok = ComputePoints(attractor, false, search, &proceed);
        if (ok || !search) {
            if (flags & SA_ADD_HISTORY)
                AddToHistory(attractor);
            UpdateAllViews(UH_REDRAW);
            return;
        }
        if (!proceed) {
            // A run cancelled late keeps its partial orbit as the current attractor: show it.
            if (current_ == attractor)
                UpdateAllViews(UH_REDRAW);
            return;
        }
    }
}

void CZephyraDoc::AddToHistory(const AttractorRef& attractor)
{
    historyPosition_ = 0;
    history_.AddHead(attractor);
    UpdateAllViews(UH_HISTORY_ADDED);
}

void CZephyraDoc::BrowseHistory(int position)
{
    historyPosition_ = position;
    if (const AttractorRef entry = history_.GetAt(position))
        SetAttractor(entry, SA_NO_SEARCH);
    UpdateAllViews(UH_HISTORY_MOVED);
}

void CZephyraDoc::ClearHistory()
{
    history_.RemoveAll();
    if (current_)
        history_.AddHead(current_);
    historyPosition_ = 0;
    UpdateAllViews(UH_HISTORY_RELOADED);
}

void CZephyraDoc::RestoreFavorites(const AttractorList& records)
{
    for (const AttractorRef& record : records)
        favorites_.AddTail(record);
    UpdateAllViews(UH_FAVORITES_RELOADED);
}

void CZephyraDoc::RestoreHistory(const AttractorList& records)
{
    for (const AttractorRef& record : records)
        history_.AddTail(record);
    UpdateAllViews(UH_HISTORY_RELOADED);
}

void CZephyraDoc::OnNewDocument()
{
    saved_.RemoveAll();
    modified_ = false;
    UpdateAllViews(UH_ALL);
}

void CZephyraDoc::ReplaceSaved(AttractorList records)
{
    std::swap(saved_, records);
    modified_ = false;
    UpdateAllViews(UH_SAVED_RELOADED | UH_SAVED_SHOWN);
}

void CZephyraDoc::JoinSaved(const AttractorList& records)
{
    for (const AttractorRef& record : records)
        saved_.AddTail(record);
    modified_ = true;
    UpdateAllViews(UH_SAVED_RELOADED | UH_SAVED_SHOWN);
}

void CZephyraDoc::AddToSaved()
{
    if (!current_)
        return;
    saved_.AddTail(current_->Clone(settings_.defaults));
    modified_ = true;
    UpdateAllViews(UH_SAVED_ADDED);
}

void CZephyraDoc::AddToFavorites()
{
    if (!current_)
        return;
    favorites_.AddTail(current_->Clone(settings_.defaults));
    UpdateAllViews(UH_FAVORITE_ADDED);
}

void CZephyraDoc::ClearFavorites()
{
    favorites_.RemoveAll();
    UpdateAllViews(UH_FAVORITES_RELOADED);
}

// Saved is the document's content, so removing from it modifies the document.
void CZephyraDoc::RemoveSaved(const Attractor* record)
{
    if (!RemoveRecord(saved_, record))
        return;
    modified_ = true;
    UpdateAllViews(UH_SAVED_REMOVED);
}

void CZephyraDoc::RemoveFavorite(const Attractor* record)
{
    if (RemoveRecord(favorites_, record))
        UpdateAllViews(UH_FAVORITE_REMOVED);
}

void CZephyraDoc::ToggleViewFlag(bool DocumentSettings::*flag, bool redraw)
{
    settings_.*flag = !(settings_.*flag);
    if (redraw)
        UpdateAllViews(UH_REDRAW);
}

void CZephyraDoc::MoveCamera(const std::function<void(Attractor&)>& move)
{
    if (!current_)
        return;
    move(*current_);
    UpdateAllViews(UH_CAMERA_MOVED);
}

AttractorRef CZephyraDoc::NewRandomAttractor(char letter)
{
    return Attractor::CreateRandom(letter, settings_.defaults, random_);
}

bool CZephyraDoc::StoreSettings(const DocumentSettings& settings, std::optional<float> fov)
{
    bool changed = settings != settings_;
    settings_ = settings;
    if (fov && current_ && current_->fov != *fov) {
        current_->fov = *fov;
        changed = true;
    }
    return changed;
}

void CZephyraDoc::ChangeSettings(const DocumentSettings& settings, std::optional<float> fov)
{
    if (StoreSettings(settings, fov))
        UpdateAllViews(UH_REDRAW);
}

void CZephyraDoc::ApplySettings(const DocumentSettings& settings,
                                const std::optional<AttractorSettings>& attractor)
{
    (void)StoreSettings(settings, attractor ? std::optional(attractor->fov) : std::nullopt);
    if (attractor && current_) {
        const bool recompute = attractor->pointsCount != current_->pointsCount ||
                               !SameStartPoint(attractor->display, current_->display);
        current_->display = attractor->display;
        if (recompute) {
            current_->pointsCount = attractor->pointsCount;
            // A failed or cancelled run has already said so in the status bar; a run cancelled
            // late keeps its partial orbit and count.
            (void)ComputePoints(current_, true, false, nullptr);
        }
    }
    UpdateAllViews(UH_REDRAW);
}

} // namespace zephyra
