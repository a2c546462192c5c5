#include "SearchMemory.h"

#include <gtest/gtest.h>

using namespace zephyra;

namespace {

constexpr std::uint64_t MIB = std::uint64_t{1} << 20;

// The searches that were killed in a 300 MiB memory cgroup, each worker having checked only its own
// buffer: now as many workers run as fit together, and one that cannot fit is refused in one line.
TEST(SearchMemory, WorkersTogetherFitWhatIsLeft)
{
    const std::uint64_t available = 300 * MIB;
    struct Case {
        int jobs;
        std::int32_t points;
        int thumbnail; // the Gallery draws one per find on its workers
    };
    for (const Case c : {Case{32, 2'000'000, 0}, {256, 200'000, 0}, {256, 200'000, 96}, {16, 50'000, 96}}) {
        const WorkerFit fit = FitSearchWorkers(c.jobs, c.points, c.thumbnail, available);
        EXPECT_GE(fit.workers, 1) << c.jobs << " x " << c.points;
        EXPECT_LE(fit.workers, c.jobs);
        EXPECT_LE(static_cast<std::uint64_t>(fit.workers) * fit.each, available)
            << c.jobs << " x " << c.points;
        EXPECT_GE(fit.each, static_cast<std::uint64_t>(c.points) * 16) << "at least the points of a try";
        EXPECT_EQ(fit.refusal, "");
    }
    EXPECT_LT(FitSearchWorkers(256, 200'000, 0, available).workers, 256);
    // A thumbnail holds the find's orbit again, twice.
    EXPECT_GT(FitSearchWorkers(1, 200'000, 192, 0).each, 3 * 200'000 * 16);

    const WorkerFit none = FitSearchWorkers(4, 2'000'000'000, 0, available);
    EXPECT_EQ(none.workers, 0);
    EXPECT_EQ(none.refusal, "not enough memory for a search worker of 2000000000 points: it needs at least "
                            "30519 MiB, 300 MiB can be had");
    EXPECT_EQ(FitThumbnailThreads(50, 200'000, 192, 20 * MIB).workers, 2);
}

TEST(SearchMemory, UnknownMemoryRunsEveryWorker)
{
    EXPECT_EQ(FitSearchWorkers(256, 2'000'000'000, 192, 0).workers, 256);
    EXPECT_EQ(FitSearchWorkers(0, 1000, 0, 0).workers, 1) << "at least one worker is asked for";
}

} // namespace
