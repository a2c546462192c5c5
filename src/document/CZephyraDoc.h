#pragma once
#include "AttractorList.h"
#include "DisplaySettings.h"
#include "DocumentHost.h"
#include "PointBuffer.h"
#include "PointMemory.h"
#include "RandomGenerator.h"
#include "UpdateHints.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zephyra {

class ConfigurationStore;

// The one document: the attractor on screen, the Saved, Favorites and History lists, the point
// buffer, the view flags and the settings kept in the configuration file. Views and panels read
// these fields at paint time; they change them only through the operations below, which set the
// modified flag and tell every view through UpdateAllViews in one place.
class CZephyraDoc {
public:
    // Seeds the random generator, sets the initial values (4D attractors coloured by w) and reads
    // the configuration through `store` (may be null), which also sets configPath.
    CZephyraDoc(DocumentHost& host, ConfigurationStore* store,
                std::uint64_t seed = RandomGenerator::TimeSeed());
    // Writes the configuration through the store while every list is still intact.
    ~CZephyraDoc();
    CZephyraDoc(const CZephyraDoc&) = delete;
    CZephyraDoc& operator=(const CZephyraDoc&) = delete;

    AttractorList saved;
    AttractorList favorites;
    AttractorList history; // newest at the head
    AttractorRef current;
    std::int32_t historyPosition = 0;
    std::int32_t historyLimit = -1;
    char caseLetter = 'H';
    PointBuffer buffer; // points, count and the ready flag
    bool viewBox = false;
    bool viewCross = false;
    bool viewBlackWhite = false;
    bool viewDefaultColors = false;
    bool viewAdaptive = true;
    bool viewDensity = false; // the density picture instead of the point cloud
    std::int32_t antialias = 0;
    // Where the point view draws: 0 on the CPU when OpenGL renders in software, 1 always on the
    // CPU, 2 always with OpenGL.
    std::int32_t pointsOnCpu = 0;
    // defaultPointsCount and the 2D, 3D and 4D display defaults.
    AttractorDefaults defaults;
    RandomGenerator random;
    // Full path of the configuration file; the configuration store works it out (beside the
    // executable, the per-user folder or an explicit path) when it reads, before anything else.
    std::string configPath;
    // Number of point computations the latest SetAttractor ran (1 without search).
    std::int32_t lastTries = 0;
    // How much memory a point buffer may take; tests replace it.
    AvailableMemoryProbe availableMemory = SystemAvailableMemory;
    // Copies of the point buffer that the views keep or upload; the window program sets them.
    std::int32_t viewCopies = 0;

    [[nodiscard]] DocumentHost& Host() const { return host_; }
    // The framework's modified flag: set by Add to Saved, Join and removing a Saved entry.
    [[nodiscard]] bool IsModified() const { return modified_; }
    // Who hears the hints: the main window while it lives, a test's recorder; null for nobody.
    void SetObserver(DocumentObserver* observer) { observer_ = observer; }
    // Tells every view and panel what changed (one UH_* hint).
    void UpdateAllViews(int hint)
    {
        if (observer_)
            observer_->OnDocumentChanged(hint);
    }

    // The one way to show an attractor: with or without a chaos search (SA_* flags), optionally
    // pushing it onto History. A non-zero letter that names a case becomes the document's
    // caseLetter first. A search ends only when a try is accepted or the user cancels (Escape, or
    // a point count that no memory can hold).
    void SetAttractor(AttractorRef attractor, int flags, char letter = 0);
    // Fills the buffer for the attractor and makes it current (see ComputePoints of the engine).
    [[nodiscard]] bool ComputePoints(const AttractorRef& attractor, bool force, bool search,
                                     bool* continueFlag);

    // The framework's new document: empties Saved (Favorites, History and settings stay).
    void OnNewDocument();
    // An opened document's records replace Saved; the document is as its file.
    void ReplaceSaved(AttractorList records);
    // Joined records go after those in Saved.
    void JoinSaved(const AttractorList& records);
    // The document was written to its file.
    void OnSaveDone() { modified_ = false; }
    // Copies of the current attractor at the tail of Saved or Favorites; nothing without one.
    void AddToSaved();
    void AddToFavorites();
    void ClearFavorites();
    // Takes that very record (the first entry that is it) out of Saved or Favorites.
    void RemoveSaved(const Attractor* record);
    void RemoveFavorite(const Attractor* record);
    // A view flag toggled; `redraw` false for a flag that changes only the next camera move.
    void ToggleViewFlag(bool CZephyraDoc::*flag, bool redraw);
    // A mouse move of the view: `move` changes the camera of the current attractor (nothing without
    // one), then UH_CAMERA_MOVED tells the views.
    void MoveCamera(const std::function<void(Attractor& camera)>& move);
    // The settings dialog changed the current attractor or the defaults.
    void OnSettingsApplied() { UpdateAllViews(UH_REDRAW); }

private:
    void AddToHistory(const AttractorRef& attractor);

    DocumentHost& host_;
    DocumentObserver* observer_ = nullptr;
    ConfigurationStore* store_;
    bool modified_ = false;
    // Takes each run while the buffer's points are on show (empty between runs).
    PointBuffer spare_;
};

} // namespace zephyra
