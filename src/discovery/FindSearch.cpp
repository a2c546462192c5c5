#include "FindSearch.h"

#include "FillMeasure.h"
#include "LyapunovExponents.h"
#include "PointGeneration.h"
#include "WorkerServices.h"

#include <algorithm>
#include <limits>

namespace zephyra {

namespace {
constexpr std::uint64_t ENDED = std::numeric_limits<std::uint64_t>::max();

Find Measure(std::uint64_t index, const Attractor& a, const PointBuffer& buffer)
{
    Find find;
    find.index = index;
    find.code = a.code;
    if (a.HasExactCoefficients())
        find.exactCoefficients = a.exactCoefficients;
    find.lyapunov = a.lyapunov;
    find.fractalDim = a.fractalDim;
    find.fill = MeasureFill(buffer.points.get(), BoundsStart(a.pointsCount), a.pointsCount, a.display);
    find.pointsCount = a.pointsCount;
    find.display = a.display;
    find.thumbnail = a.thumbnail;
    return find;
}
} // namespace

bool FindSearch::PassesSpectrum(Find& find, const Attractor& record, const std::stop_token& stop) const
{
    const SearchFilter& filter = settings_.filter;
    if (!filter.NeedsSpectrum())
        return true;
    SpectrumSettings spectrumSettings;
    spectrumSettings.steps = record.pointsCount;
    const SpectrumResult r = MeasureSpectrum(OrbitSystem::Of(record), spectrumSettings,
                                             [&stop](double) { return !stop.stop_requested(); });
    if (r.status != SpectrumStatus::Measured || !filter.AcceptsSpectrum(PositiveExponents(r), r.kaplanYorke))
        return false;
    find.spectrum = r.exponents;
    find.kaplanYorke = r.kaplanYorke;
    return true;
}

std::uint64_t TrySeed(std::uint64_t seed, std::uint64_t index)
{
    // The (index + 1)-th output of splitmix64 started at `seed`.
    std::uint64_t z = seed + (index + 1) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

FindSearch::FindSearch(const Settings& settings, MakeTry makeTry, OnFind onFind)
    : settings_(settings), makeTry_(std::move(makeTry)), onFind_(std::move(onFind))
{
    const auto jobs = static_cast<std::size_t>(std::max(settings_.jobs, 1));
    current_ = std::make_unique<std::atomic<std::uint64_t>[]>(jobs);
    running_ = static_cast<int>(jobs);
    workers_.reserve(jobs);
    for (std::size_t w = 0; w < jobs; ++w)
        workers_.emplace_back([this, w](std::stop_token stop) { Work(std::move(stop), w); });
}

FindSearch::~FindSearch()
{
    Stop();
}

void FindSearch::Stop()
{
    for (std::jthread& w : workers_)
        w.request_stop();
}

std::uint64_t FindSearch::Frontier() const
{
    // The workers' tries first, then the next number: a worker taking a try in between still had
    // its older (done) try stored, so the minimum never passes a try in progress.
    std::uint64_t frontier = ENDED;
    for (std::size_t w = 0; w < workers_.size(); ++w)
        frontier = std::min(frontier, current_[w].load());
    return std::min(frontier, next_.load());
}

void FindSearch::Work(std::stop_token stop, std::size_t worker)
{
    WorkerServices services(stop);
    PointBuffer buffer;
    AttractorRef current;
    RandomGenerator random(0);
    ComputeContext context{buffer, current, random, services, services};
    const AttractorRef record = Attractor::CreateEmpty(settings_.defaults);
    std::atomic<std::uint64_t>& mine = current_[worker];
    while (!stop.stop_requested()) {
        const std::uint64_t index = next_.fetch_add(1);
        mine.store(index);
        random.Seed(TrySeed(settings_.seed, index));
        if (!makeTry_(index, *record, random))
            break;
        // The last find is current: without this its points would be taken for the next try's.
        current.Reset();
        bool proceed = true;
        if (ComputePoints(context, record, false, true, &proceed)) {
            Find find = Measure(index, *record, buffer);
            if (settings_.filter.Accepts(find.lyapunov, find.fractalDim, find.fill) &&
                PassesSpectrum(find, *record, stop))
                onFind_(std::move(find));
        } else if (!proceed) {
            if (!stop.stop_requested())
                outOfMemory_ = true;
            break;
        }
    }
    mine.store(ENDED);
    --running_;
}

} // namespace zephyra
