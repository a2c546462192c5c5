#include "SearchMemory.h"

#include "FindThumbnail.h"
#include "MemoryBudget.h"
#include "Point.h"

#include <algorithm>

namespace zephyra {

namespace {
// A thread's stack pages and the allocator's arena beside its buffers.
constexpr std::uint64_t THREAD_BYTES = std::uint64_t{1} << 20;

WorkerFit Fit(int jobs, std::uint64_t each, std::uint64_t available, const std::string& what)
{
    WorkerFit fit;
    fit.each = each;
    const auto asked = static_cast<std::uint64_t>(std::max(jobs, 1));
    fit.workers = static_cast<int>(available == 0 ? asked : std::min(asked, available / each));
    if (fit.workers == 0)
        fit.refusal = MemoryRefusal(what, each, available);
    return fit;
}
} // namespace

WorkerFit FitSearchWorkers(int jobs, std::int32_t points, int thumbnailSize, std::uint64_t available)
{
    std::uint64_t each = static_cast<std::uint64_t>(std::max(points, 0)) * sizeof(Point) + THREAD_BYTES;
    if (thumbnailSize > 0)
        each += FindThumbnailBytes(points, thumbnailSize);
    return Fit(jobs, each, available, "a search worker of " + std::to_string(points) + " points");
}

WorkerFit FitThumbnailThreads(int jobs, std::int32_t points, int thumbnailSize, std::uint64_t available)
{
    return Fit(jobs, FindThumbnailBytes(points, thumbnailSize) + THREAD_BYTES, available,
               "a thumbnail of " + std::to_string(points) + " points");
}

} // namespace zephyra
