#pragma once
#include "Find.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace zephyra {

// Collects the finds of a FindSearch from its workers and gives them back in the order of their
// tries, so that a seed gives the same finds however many workers ran and however fast.
class OrderedFinds {
public:
    // From any thread.
    void Add(Find&& find);
    // Waits until a find comes in or `timeout` passes.
    void Wait(std::chrono::milliseconds timeout);
    [[nodiscard]] std::size_t Count() const;
    // The finds of the first `count` in try order, once every try before the last of them is done
    // (`frontier`: every try below it is done); nothing until then.
    [[nodiscard]] std::optional<std::vector<Find>> First(std::size_t count, std::uint64_t frontier) const;
    // Every find so far, in try order.
    [[nodiscard]] std::vector<Find> All() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable added_;
    std::vector<Find> finds_;
    std::size_t seen_ = 0; // the count the last Wait returned with
};

} // namespace zephyra
