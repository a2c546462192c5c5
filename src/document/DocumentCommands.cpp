#include "DocumentCommands.h"

#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "StatusTexts.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zephyra {

namespace {

constexpr std::int32_t FEWEST_POINTS = 10000;
constexpr double POINTS_STEP = 0.2;

struct ViewFlag {
    int id;
    bool CZephyraDoc::*flag;
    bool redraw; // Adaptive Degradation changes only how the next camera move draws
};

constexpr ViewFlag VIEW_FLAGS[] = {
    {cmd::ID_VIEW_BOX, &CZephyraDoc::viewBox, true},
    {cmd::ID_VIEW_CROSS, &CZephyraDoc::viewCross, true},
    {cmd::ID_VIEW_BLACK_WHITE, &CZephyraDoc::viewBlackWhite, true},
    {cmd::ID_VIEW_DEFAULT_COLORS, &CZephyraDoc::viewDefaultColors, true},
    {cmd::ID_VIEW_ADAPTIVE, &CZephyraDoc::viewAdaptive, false},
    {cmd::ID_VIEW_DENSITY, &CZephyraDoc::viewDensity, true},
    {cmd::ID_VIEW_SHADE, &CZephyraDoc::viewShade, true},
};

const ViewFlag* FindViewFlag(int id)
{
    const auto* found = std::find_if(std::begin(VIEW_FLAGS), std::end(VIEW_FLAGS),
                                     [id](const ViewFlag& f) { return f.id == id; });
    return found == std::end(VIEW_FLAGS) ? nullptr : found;
}

bool IsNewCase(int id)
{
    return id >= cmd::ID_NEW_CASE_FIRST && id <= cmd::ID_NEW_CASE_LAST;
}

void SearchNew(CZephyraDoc& doc)
{
    doc.SetAttractor(Attractor::CreateRandom(doc.caseLetter, doc.defaults, doc.random),
                     SA_RANDOMIZE | SA_ADD_HISTORY);
}

void Next(CZephyraDoc& doc)
{
    if (doc.historyPosition() <= 0)
        SearchNew(doc);
    else
        doc.BrowseHistory(doc.historyPosition() - 1);
}

void Previous(CZephyraDoc& doc)
{
    if (doc.historyPosition() < doc.history().Count() - 1)
        doc.BrowseHistory(doc.historyPosition() + 1);
}

void StepPosition(CZephyraDoc& doc, bool forward)
{
    Attractor& a = *doc.current();
    if (forward)
        a.NextPosition();
    else
        a.PreviousPosition();
    doc.Host().ShowCode(a);
    doc.Host().ShowStatus(PANE_MESSAGE, PositionText(a.position));
}

// Shows `current` with the new point count, whatever its measurements.
void Recompute(CZephyraDoc& doc, std::int64_t pointsCount)
{
    doc.current()->pointsCount = static_cast<std::int32_t>(
        std::min<std::int64_t>(pointsCount, std::numeric_limits<std::int32_t>::max()));
    (void)doc.ComputePoints(doc.current(), false, false, nullptr);
    doc.UpdateAllViews(UH_REDRAW);
}

// The step is a fifth of the points in the buffer, truncated toward zero.
std::int64_t PointsStep(const CZephyraDoc& doc, double sign)
{
    return static_cast<std::int64_t>(doc.buffer().count * (sign * POINTS_STEP));
}

bool OnPointsCommand(CZephyraDoc& doc, int id)
{
    switch (id) {
    case cmd::ID_POINTS_10K:
        Recompute(doc, 10000);
        return true;
    case cmd::ID_POINTS_100K:
        Recompute(doc, 100000);
        return true;
    case cmd::ID_POINTS_1M:
        Recompute(doc, 1000000);
        return true;
    case cmd::ID_ADD_POINTS:
        Recompute(doc, std::int64_t{doc.current()->pointsCount} + PointsStep(doc, 1.0));
        return true;
    case cmd::ID_REMOVE_POINTS:
        Recompute(doc,
                  std::max<std::int64_t>(doc.current()->pointsCount + PointsStep(doc, -1.0), FEWEST_POINTS));
        return true;
    default:
        return false;
    }
}

bool OnListCommand(CZephyraDoc& doc, int id)
{
    switch (id) {
    case cmd::ID_ADD_TO_SAVED:
        doc.AddToSaved();
        doc.Host().ShowStatus(PANE_MESSAGE, TEXT_ADDED_TO_SAVED);
        return true;
    case cmd::ID_ADD_TO_FAVORITES:
        doc.AddToFavorites();
        doc.Host().ShowStatus(PANE_MESSAGE, TEXT_ADDED_TO_FAVORITES);
        return true;
    case cmd::ID_CLEAR_FAVORITES:
        doc.ClearFavorites();
        return true;
    case cmd::ID_CLEAR_HISTORY:
        doc.ClearHistory();
        return true;
    default:
        return false;
    }
}

bool OnAttractorCommand(CZephyraDoc& doc, int id)
{
    switch (id) {
    case cmd::ID_NEXT:
        Next(doc);
        return true;
    case cmd::ID_PREVIOUS:
        Previous(doc);
        return true;
    case cmd::ID_NEXT_IN_SEQUENCE:
        doc.SetAttractor(doc.current()->Clone(doc.defaults), SA_STEP_FORWARD | SA_ADD_HISTORY);
        return true;
    case cmd::ID_PREVIOUS_IN_SEQUENCE:
        doc.SetAttractor(doc.current()->Clone(doc.defaults), SA_STEP_BACK | SA_ADD_HISTORY);
        return true;
    case cmd::ID_INCREMENT_POSITION:
        StepPosition(doc, true);
        return true;
    case cmd::ID_DECREMENT_POSITION:
        StepPosition(doc, false);
        return true;
    case cmd::ID_RESET:
        doc.current()->ResetCamera();
        doc.UpdateAllViews(UH_REDRAW);
        return true;
    case cmd::ID_RESET_4D_TURN:
        doc.current()->xw = doc.current()->yw = doc.current()->zw = 0.0f;
        doc.UpdateAllViews(UH_REDRAW);
        return true;
    default:
        return false;
    }
}

// Commands that work on `current`; there is none when the start-up attractor could not be computed.
bool NeedsCurrent(int id)
{
    switch (id) {
    case cmd::ID_NEXT_IN_SEQUENCE:
    case cmd::ID_PREVIOUS_IN_SEQUENCE:
    case cmd::ID_INCREMENT_POSITION:
    case cmd::ID_DECREMENT_POSITION:
    case cmd::ID_ADD_TO_SAVED:
    case cmd::ID_ADD_TO_FAVORITES:
    case cmd::ID_RESET:
    case cmd::ID_RESET_4D_TURN:
    case cmd::ID_POINTS_10K:
    case cmd::ID_POINTS_100K:
    case cmd::ID_POINTS_1M:
    case cmd::ID_ADD_POINTS:
    case cmd::ID_REMOVE_POINTS:
        return true;
    default:
        return false;
    }
}

} // namespace

bool OnDocumentCommand(CZephyraDoc& doc, int id)
{
    if (IsNewCase(id)) {
        doc.caseLetter = cmd::CaseLetterOf(id);
        SearchNew(doc);
        return true;
    }
    if (const ViewFlag* f = FindViewFlag(id)) {
        doc.ToggleViewFlag(f->flag, f->redraw);
        return true;
    }
    if (NeedsCurrent(id) && !doc.current())
        return true;
    return OnAttractorCommand(doc, id) || OnListCommand(doc, id) || OnPointsCommand(doc, id);
}

std::optional<bool> DocumentCommandChecked(const CZephyraDoc& doc, int id)
{
    if (IsNewCase(id))
        return doc.caseLetter == cmd::CaseLetterOf(id);
    if (const ViewFlag* f = FindViewFlag(id))
        return doc.*(f->flag);
    return std::nullopt;
}

} // namespace zephyra
