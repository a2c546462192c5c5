#pragma once
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

namespace zephyra {

// One restartable background job whose results count only while it is the latest one asked for:
// the shape of every picture or measurement that the window redoes when its input changes.
//
//   LatestJob<Picture> job_{QueuedPost(this), [this](Picture p) { Show(std::move(p)); }};
//   ...
//   job_.Start([scene](std::stop_token stop, const LatestJob<Picture>::Deliver& deliver) {
//       for (int pass = 0; pass < 5 && !stop.stop_requested(); ++pass)
//           deliver(Render(scene, pass)); // copies only: the work never touches the document
//   });
//   job_.Stop(); // e.g. when the panel hides
//
// `post` runs a closure later on the owner's thread (the thread that calls Start and Stop); Qt
// code passes QueuedPost(this) from QueuedPost.h, tests may queue closures and run them by hand.
// `receive` gets each result there, in order, and only while no Start or Stop came after the run
// that made it. Start and Stop never wait: they ask the old run to stop (its work should look at
// the stop token often) and forget it; threads that have ended are joined at the next Start or
// Stop, and the destructor waits for all of them. Keep the job a member of the object that
// `post` delivers to, so that no result can reach a receiver that is gone.
template <typename Result> class LatestJob {
public:
    using Post = std::function<void(std::function<void()>)>;
    using Receive = std::function<void(Result)>;

    // What the work calls, on its thread, to hand a result to the owner.
    class Deliver {
    public:
        void operator()(Result result) const
        {
            job_->post_([job = job_, generation = generation_, result = std::move(result)]() mutable {
                if (generation == job->generation_)
                    job->receive_(std::move(result));
            });
        }

    private:
        friend class LatestJob;
        Deliver(LatestJob* job, std::uint64_t generation) : job_(job), generation_(generation) {}
        LatestJob* job_;
        std::uint64_t generation_;
    };

    LatestJob(Post post, Receive receive) : post_(std::move(post)), receive_(std::move(receive)) {}
    LatestJob(const LatestJob&) = delete;
    LatestJob& operator=(const LatestJob&) = delete;
    ~LatestJob()
    {
        Stop();
        stopped_.clear(); // each jthread joins as it goes
    }

    // Stops the run before and starts `work(std::stop_token, const Deliver&)` on a thread of its own.
    template <typename Work> void Start(Work work)
    {
        Stop();
        running_ = true;
        current_.done = std::make_shared<std::atomic<bool>>(false);
        current_.thread = std::jthread([work = std::move(work), deliver = Deliver(this, generation_),
                                        done = current_.done](std::stop_token stop) mutable {
            work(stop, deliver);
            done->store(true);
        });
    }

    // Drops whatever the current run would still deliver and asks it to stop.
    void Stop()
    {
        ++generation_;
        running_ = false;
        std::erase_if(stopped_, [](const Run& run) { return run.done->load(); });
        if (!current_.thread.joinable())
            return;
        current_.thread.request_stop();
        stopped_.push_back(std::move(current_));
        current_ = {};
    }

    // Started, and not stopped since.
    [[nodiscard]] bool Running() const { return running_; }
    // No thread of any run, stopped or not, is still working; what they delivered may still be
    // on its way to the owner's thread.
    [[nodiscard]] bool Idle() const
    {
        const auto ended = [](const Run& run) { return !run.done || run.done->load(); };
        return ended(current_) && std::all_of(stopped_.begin(), stopped_.end(), ended);
    }

private:
    struct Run {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    Post post_;
    Receive receive_;
    std::uint64_t generation_ = 0; // read and written on the owner's thread only
    bool running_ = false;
    Run current_;
    std::vector<Run> stopped_; // asked to stop, perhaps still finishing their current step
};

} // namespace zephyra
