#pragma once
#include "Find.h"
#include "SearchFilter.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace zephyra {

class RandomGenerator;

// Derives the generator seed of try `index` from a search's seed, so that each try draws the
// same numbers whichever worker runs it and whatever the number of workers.
[[nodiscard]] std::uint64_t TrySeed(std::uint64_t seed, std::uint64_t index);

// Runs numbered tries of the exact chaos search on `jobs` worker threads and hands every accepted
// try that passes the filter to `onFind`, on the worker's thread. Each worker owns its point buffer,
// record and generator (reseeded per try by TrySeed); workers touch no document. Destroying the
// search stops the workers and waits for them.
class FindSearch {
public:
    struct Settings {
        int jobs = 1;
        std::uint64_t seed = 0;
        SearchFilter filter;
        AttractorDefaults defaults; // the point count and display blocks of every try
    };
    // Prepares the record for try `index` (draws coefficients, sets a code); false when there are
    // no more tries.
    using MakeTry = std::function<bool(std::uint64_t index, Attractor& record, RandomGenerator& random)>;
    using OnFind = std::function<void(Find&&)>;

    FindSearch(const Settings& settings, MakeTry makeTry, OnFind onFind);
    ~FindSearch();
    FindSearch(const FindSearch&) = delete;
    FindSearch& operator=(const FindSearch&) = delete;

    void Stop();
    // Every try below this index is done.
    [[nodiscard]] std::uint64_t Frontier() const;
    // Tries started so far.
    [[nodiscard]] std::uint64_t Tries() const { return next_.load(); }
    // False once every worker has ended (no more tries, stopped, or out of memory).
    [[nodiscard]] bool Running() const { return running_.load() > 0; }
    // A worker could not get its point buffer.
    [[nodiscard]] bool OutOfMemory() const { return outOfMemory_.load(); }

private:
    void Work(std::stop_token stop, std::size_t worker);
    // The spectrum test of the filter, when it has one; a find that passes carries its spectrum.
    [[nodiscard]] bool PassesSpectrum(Find& find, const Attractor& record, const std::stop_token& stop) const;

    Settings settings_;
    MakeTry makeTry_;
    OnFind onFind_;
    std::atomic<std::uint64_t> next_{0};
    std::atomic<int> running_{0};
    std::atomic<bool> outOfMemory_{false};
    // The try each worker is on (a finished one until it takes the next); ended workers hold the
    // largest value.
    std::unique_ptr<std::atomic<std::uint64_t>[]> current_;
    std::vector<std::jthread> workers_;
};

} // namespace zephyra
