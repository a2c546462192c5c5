#pragma once
#include "Attractor.h"

#include <vector>

namespace zephyra {

// An ordered list of shared attractors; each entry holds one reference.
class AttractorList {
public:
    void AddHead(const AttractorRef& a) { entries_.insert(entries_.begin(), a); }
    void AddTail(const AttractorRef& a) { entries_.push_back(a); }
    // The entry at a zero-based index from the head; empty for an index out of range.
    [[nodiscard]] AttractorRef GetAt(int index) const
    {
        return index < 0 || index >= Count() ? AttractorRef() : entries_[static_cast<std::size_t>(index)];
    }
    [[nodiscard]] int Count() const { return static_cast<int>(entries_.size()); }
    void RemoveAt(int index)
    {
        if (index >= 0 && index < Count())
            entries_.erase(entries_.begin() + index);
    }
    void RemoveAll() { entries_.clear(); }

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::vector<AttractorRef> entries_;
};

} // namespace zephyra
