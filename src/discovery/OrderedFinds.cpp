#include "OrderedFinds.h"

#include <algorithm>

namespace zephyra {

void OrderedFinds::Add(Find&& find)
{
    {
        const std::lock_guard lock(mutex_);
        const auto at = std::upper_bound(finds_.begin(), finds_.end(), find.index,
                                         [](std::uint64_t index, const Find& f) { return index < f.index; });
        finds_.insert(at, std::move(find));
    }
    added_.notify_all();
}

void OrderedFinds::Wait(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    added_.wait_for(lock, timeout, [this] { return finds_.size() != seen_; });
    seen_ = finds_.size();
}

std::size_t OrderedFinds::Count() const
{
    const std::lock_guard lock(mutex_);
    return finds_.size();
}

std::optional<std::vector<Find>> OrderedFinds::First(std::size_t count, std::uint64_t frontier) const
{
    const std::lock_guard lock(mutex_);
    if (finds_.size() < count || (count > 0 && finds_[count - 1].index >= frontier))
        return std::nullopt;
    return std::vector<Find>(finds_.begin(), finds_.begin() + static_cast<std::ptrdiff_t>(count));
}

std::vector<Find> OrderedFinds::All() const
{
    const std::lock_guard lock(mutex_);
    return finds_;
}

} // namespace zephyra
