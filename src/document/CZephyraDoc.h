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
#include <utility>

namespace zephyra {

class ConfigurationStore;

namespace testing {
struct DocumentAccess;
}

// The one document: the attractor on screen, the Saved, Favorites and History lists, the point
// buffer, the view flags and the settings kept in the configuration file. Views and panels read
// its state at paint time; the lists, the current attractor and its points change only through
// the operations below, which set the modified flag and tell every view through UpdateAllViews
// in one place. The settings are the settings dialog's to write; it calls OnSettingsApplied.
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

    // The settings kept in the configuration file.
    std::int32_t historyLimit = -1;
    char caseLetter = 'H';
    bool viewBox = false;
    bool viewCross = false;
    bool viewBlackWhite = false;
    bool viewDefaultColors = false;
    bool viewAdaptive = true;
    bool viewDensity = false; // the density picture instead of the point cloud
    bool viewShade = false;   // the density picture's depth shade
    std::int32_t antialias = 0;
    // Where the point view draws: 0 on the CPU when OpenGL renders in software, 1 always on the
    // CPU, 2 always with OpenGL.
    std::int32_t pointsOnCpu = 0;
    // defaultPointsCount and the 2D, 3D and 4D display defaults.
    AttractorDefaults defaults;
    RandomGenerator random;
    // How much memory a point buffer may take; tests replace it.
    AvailableMemoryProbe availableMemory = SystemAvailableMemory;

    [[nodiscard]] const AttractorList& saved() const { return saved_; }
    [[nodiscard]] const AttractorList& favorites() const { return favorites_; }
    // Newest at the head.
    [[nodiscard]] const AttractorList& history() const { return history_; }
    // The attractor on screen. Its camera moves through MoveCamera and the reset commands, which
    // announce the move.
    [[nodiscard]] const AttractorRef& current() const { return current_; }
    // The History entry shown while the user browses the history; 0 is the newest.
    [[nodiscard]] std::int32_t historyPosition() const { return historyPosition_; }
    // The points of `current`, their count and the ready flag.
    [[nodiscard]] const PointBuffer& buffer() const { return buffer_; }
    // Full path of the configuration file.
    [[nodiscard]] const std::string& configPath() const { return configPath_; }
    // Number of point computations the latest SetAttractor ran (1 without search).
    [[nodiscard]] std::int32_t lastTries() const { return lastTries_; }

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

    // Shows the History entry at `position` without search and selects it; a refused entry leaves
    // `current` as it was, the position moves all the same.
    void BrowseHistory(int position);
    // History keeps only `current`.
    void ClearHistory();
    // Records of the configuration file, after those Favorites or History hold.
    void RestoreFavorites(const AttractorList& records);
    void RestoreHistory(const AttractorList& records);
    // The configuration store works the path out (beside the executable, the per-user folder or
    // an explicit path) when it reads, before anything else.
    void SetConfigPath(std::string path) { configPath_ = std::move(path); }
    // Copies of the point buffer that the views keep or upload; the window program sets them.
    void SetViewCopies(std::int32_t copies) { viewCopies_ = copies; }

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
    // Tests set lists, the current attractor and points up as a file or an earlier run left them.
    friend struct testing::DocumentAccess;

    void AddToHistory(const AttractorRef& attractor);

    AttractorList saved_;
    AttractorList favorites_;
    AttractorList history_;
    AttractorRef current_;
    std::int32_t historyPosition_ = 0;
    PointBuffer buffer_;
    std::string configPath_;
    std::int32_t lastTries_ = 0;
    std::int32_t viewCopies_ = 0;
    DocumentHost& host_;
    DocumentObserver* observer_ = nullptr;
    ConfigurationStore* store_;
    bool modified_ = false;
    // Takes each run while the buffer's points are on show (empty between runs).
    PointBuffer spare_;
};

} // namespace zephyra
