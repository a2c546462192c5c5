#include "LatestJob.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zephyra {
namespace {

// The owner's queue: closures posted by the workers, run when the test says.
class Queue {
public:
    void Post(std::function<void()> closure)
    {
        const std::lock_guard lock(mutex_);
        closures_.push_back(std::move(closure));
    }
    void RunAll()
    {
        std::vector<std::function<void()>> now;
        {
            const std::lock_guard lock(mutex_);
            now.swap(closures_);
        }
        for (auto& closure : now)
            closure();
    }
    [[nodiscard]] std::size_t Size()
    {
        const std::lock_guard lock(mutex_);
        return closures_.size();
    }

private:
    std::mutex mutex_;
    std::vector<std::function<void()>> closures_;
};

struct LatestJobTest : testing::Test {
    Queue queue;
    std::vector<int> received;
    LatestJob<int> job{[this](std::function<void()> c) { queue.Post(std::move(c)); },
                       [this](int value) { received.push_back(value); }};

    // Spins until the workers posted `count` closures; the test's deadline ends a hang.
    void AwaitPosted(std::size_t count)
    {
        while (queue.Size() < count)
            std::this_thread::yield();
    }
};

TEST_F(LatestJobTest, DeliversTheResultsOfTheRunInOrder)
{
    job.Start([](std::stop_token, const LatestJob<int>::Deliver& deliver) {
        for (int i = 1; i <= 3; ++i)
            deliver(i);
    });
    EXPECT_TRUE(job.Running());
    AwaitPosted(3);
    queue.RunAll();
    EXPECT_EQ(received, (std::vector<int>{1, 2, 3}));
}

TEST_F(LatestJobTest, DropsWhatAnEarlierRunDeliversAfterARestart)
{
    std::atomic<bool> release = false;
    job.Start([&](std::stop_token, const LatestJob<int>::Deliver& deliver) {
        while (!release)
            std::this_thread::yield();
        deliver(1); // arrives after the restart below
    });
    job.Start([](std::stop_token, const LatestJob<int>::Deliver& deliver) { deliver(2); });
    EXPECT_FALSE(job.Idle()); // the first run is held
    release = true;
    while (!job.Idle())
        std::this_thread::yield();
    EXPECT_EQ(queue.Size(), 2u);
    queue.RunAll();
    EXPECT_EQ(received, (std::vector<int>{2}));
}

TEST_F(LatestJobTest, StopAsksTheRunToStopWithoutWaitingAndDropsItsResults)
{
    std::atomic<bool> sawStop = false;
    job.Start([&](std::stop_token stop, const LatestJob<int>::Deliver& deliver) {
        deliver(1);
        while (!stop.stop_requested())
            std::this_thread::yield();
        sawStop = true;
        deliver(2);
    });
    AwaitPosted(1);
    job.Stop();
    EXPECT_FALSE(job.Running());
    AwaitPosted(2);
    EXPECT_TRUE(sawStop);
    queue.RunAll();
    EXPECT_TRUE(received.empty());
}

TEST(LatestJob, DestructionWaitsForEveryRun)
{
    std::atomic<int> ended = 0;
    {
        LatestJob<int> job{[](std::function<void()>) {}, [](int) {}};
        for (int i = 0; i < 3; ++i)
            job.Start([&](std::stop_token stop, const LatestJob<int>::Deliver&) {
                while (!stop.stop_requested())
                    std::this_thread::yield();
                ++ended;
            });
    }
    EXPECT_EQ(ended, 3);
}

} // namespace
} // namespace zephyra
