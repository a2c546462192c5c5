#pragma once
#include "AttractorList.h"
#include "DisplaySettings.h"
#include "DocumentHost.h"
#include "PointBuffer.h"
#include "PointMemory.h"
#include "RandomGenerator.h"
#include "UpdateHints.h"

#include <cstdint>
#include <string>

namespace zephyra {

class ConfigurationStore;

// The one document: the attractor on screen, the Saved, Favorites and History lists, the point
// buffer, the view flags and the settings kept in the configuration file. Views and panels read
// these fields at paint time and learn of changes through DocumentHost::UpdateAllViews.
class CZephyraDoc {
public:
    // Seeds the random generator, sets the initial values and reads the configuration through
    // `store` (may be null), which also sets configPath.
    CZephyraDoc(DocumentHost& host, ConfigurationStore* store, std::uint64_t seed = RandomGenerator::TimeSeed());
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
    // defaultPointsCount and the 2D, 3D and 4D display defaults.
    AttractorDefaults defaults;
    RandomGenerator random;
    // The framework's modified flag: set by Add to Saved, Join and removing a Saved entry.
    bool modified = false;
    // Full path of the configuration file; the configuration store works it out (beside the
    // executable, the per-user folder or an explicit path) when it reads, before anything else.
    std::string configPath;
    // Number of point computations the latest SetAttractor ran (1 without search).
    std::int32_t lastTries = 0;
    // How much memory a point buffer may take; tests replace it.
    AvailableMemoryProbe availableMemory = SystemAvailableMemory;

    [[nodiscard]] DocumentHost& Host() const { return host_; }

    // The one way to show an attractor: with or without a chaos search (SA_* flags), optionally
    // pushing it onto History. A non-zero letter that names a case becomes the document's
    // caseLetter first. A search ends only when a try is accepted or the user cancels (Escape, or
    // a point count that no memory can hold).
    void SetAttractor(AttractorRef attractor, int flags, char letter = 0);
    // Fills the buffer for the attractor and makes it current (see ComputePoints of the engine).
    [[nodiscard]] bool ComputePoints(const AttractorRef& attractor, bool force, bool search, bool* continueFlag);

    // The framework's new document: empties Saved (Favorites, History and settings stay).
    void OnNewDocument();

private:
    void AddToHistory(const AttractorRef& attractor);

    DocumentHost& host_;
    ConfigurationStore* store_;
};

} // namespace zephyra
