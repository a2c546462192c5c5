#include "CoreFixture.h"
#include "DocumentAccess.h"
#include "StatusTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zephyra::testing {
namespace {

using ComputePointsTest = DocumentTest;

TEST_F(ComputePointsTest, SmallerCountOfTheCurrentAttractorIsReused)
{
    AttractorRef a = Shown(HENON);
    const int polls = host.polls;
    a->pointsCount = 10000;
    EXPECT_TRUE(doc.ComputePoints(a, false, false, nullptr));
    EXPECT_EQ(host.polls, polls) << "nothing recomputed";
    EXPECT_EQ(host.Status(PANE_POINTS), " 10000 points");
    EXPECT_EQ(doc.buffer().count, 50000);
    EXPECT_TRUE(doc.buffer().ready);

    a->pointsCount = 100000;
    EXPECT_TRUE(doc.ComputePoints(a, false, false, nullptr));
    EXPECT_EQ(host.polls, polls + 100000) << "computed anew from the start point";
    EXPECT_EQ(doc.buffer().count, 100000);

    // Forced, or another attractor: computed even though the buffer is large enough.
    a->pointsCount = 1000;
    EXPECT_TRUE(doc.ComputePoints(a, true, false, nullptr));
    EXPECT_EQ(host.polls, polls + 101000);
    AttractorRef other = Shown(HENON, 1000);
    EXPECT_EQ(host.polls, polls + 102000);
    EXPECT_EQ(doc.current(), other);
}

// Unmended, a try cancelled early had already overwritten the points on show.
TEST_F(ComputePointsTest, AFailedTryLeavesThePointsOnShow)
{
    AttractorRef a = Shown(HENON);
    const std::vector<Point> shown(doc.buffer().points.get(), doc.buffer().points.get() + doc.buffer().count);
    auto stillShown = [&] {
        EXPECT_EQ(doc.current(), a);
        EXPECT_TRUE(doc.buffer().ready);
        ASSERT_EQ(doc.buffer().count, 50000);
        EXPECT_TRUE(std::equal(shown.begin(), shown.end(), doc.buffer().points.get()));
    };
    host.EscapeAtIteration(10);
    bool proceed = true;
    EXPECT_FALSE(doc.ComputePoints(Code(HENON), false, false, &proceed));
    stillShown();
    // A rejected search try too.
    host.escapeScript = nullptr;
    EXPECT_FALSE(doc.ComputePoints(Code("EMMMMMMMMMMMM"), false, true, nullptr));
    stillShown();

    // The attractor on show asked for more points: its count and measures go back with its points.
    const float lyapunov = a->lyapunov;
    host.EscapeAtIteration(999);
    a->pointsCount = 200000;
    EXPECT_FALSE(doc.ComputePoints(a, false, false, &proceed));
    stillShown();
    EXPECT_EQ(a->pointsCount, 50000);
    EXPECT_EQ(a->lyapunov, lyapunov);
    EXPECT_EQ(host.Status(PANE_POINTS), PointsText(50000));

    // Nothing is reused from the cancelled runs.
    host.escapeScript = nullptr;
    const int polls = host.polls;
    AttractorRef b = Code(HENON, 10000);
    EXPECT_TRUE(doc.ComputePoints(b, false, false, nullptr));
    EXPECT_EQ(host.polls, polls + 10000);
    EXPECT_EQ(doc.current(), b);
    EXPECT_TRUE(doc.buffer().ready);
    EXPECT_EQ(doc.buffer().count, 10000);
}

TEST_F(ComputePointsTest, EscapeBeforePointOneThousandKeepsThePreviousAttractor)
{
    AttractorRef previous = Shown(HENON);
    host.EscapeAtIteration(999);
    bool proceed = true;
    AttractorRef a = Code(HENON);
    EXPECT_FALSE(doc.ComputePoints(a, false, false, &proceed));
    EXPECT_FALSE(proceed);
    EXPECT_EQ(doc.current(), previous);
    EXPECT_TRUE(doc.buffer().ready);
    EXPECT_EQ(a->pointsCount, 50000);
    EXPECT_EQ(host.Status(PANE_MESSAGE), TEXT_CANCELED);
    EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(ComputePointsTest, EscapeFromPointOneThousandKeepsThePartialOrbit)
{
    Shown(HENON);
    host.EscapeAtIteration(1000);
    bool proceed = true;
    AttractorRef a = Code(HENON);
    EXPECT_FALSE(doc.ComputePoints(a, false, false, &proceed));
    EXPECT_FALSE(proceed);
    EXPECT_EQ(doc.current(), a);
    EXPECT_TRUE(doc.buffer().ready);
    EXPECT_EQ(a->pointsCount, 1000);
    EXPECT_EQ(doc.buffer().count, 1000);
    EXPECT_EQ(host.Status(PANE_POINTS), " 1000 points");
    EXPECT_EQ(host.Status(PANE_MESSAGE), TEXT_CANCELED);
    EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(ComputePointsTest, ProgressTexts)
{
    Shown(HENON);
    const std::vector<FakeHost::StatusEntry> pane0 = host.PaneHistory(PANE_MESSAGE);
    ASSERT_EQ(pane0.size(), 11u);
    EXPECT_EQ(pane0[0].text, TEXT_SEARCHING) << "also without search";
    EXPECT_EQ(pane0[0].iteration, 0);
    EXPECT_EQ(pane0[0].repeats, 5000) << "once per iteration below 5000";
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(pane0[k].text, ComputingText(10.0 * k));
        EXPECT_EQ(pane0[k].iteration, 5000 * k);
    }
    EXPECT_EQ(pane0[1].text, "Computing 10% press ESC to cancel");
    EXPECT_EQ(pane0[2].text, "Computing 20% press ESC to cancel");
    EXPECT_EQ(pane0[10].text, TEXT_DONE);
}

TEST_F(ComputePointsTest, FinishedRunPublishesItsTextsCodeAndThumbnail)
{
    AttractorRef a = Shown(HENON);
    EXPECT_EQ(host.Status(PANE_CASE), "Case E (D:2 O:2 M:12)");
    EXPECT_EQ(host.Status(PANE_POINTS), " 50000 points");
    EXPECT_EQ(host.Status(PANE_MEASURES), MeasuresText(*a));
    EXPECT_EQ(host.Status(PANE_START), " x0 = 0.05 y0 = 0.05 z0 = 0.05 w0 = 0.05");
    ASSERT_EQ(host.codes.size(), 1u);
    EXPECT_EQ(host.codes[0].code, HENON);
    EXPECT_EQ(host.codes[0].position, 1);
    int dark = 0;
    for (std::uint8_t byte : a->thumbnail)
        dark += byte != 255;
    EXPECT_GT(dark, 30);
    EXPECT_EQ(doc.current(), a);
    EXPECT_EQ(host.busyDepth, 0);
    EXPECT_EQ(host.busyCalls, 1);
}

TEST_F(ComputePointsTest, HenonMeasurements)
{
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        Arrange(doc).random.Seed(seed);
        AttractorRef a = Shown(HENON);
        EXPECT_NEAR(a->lyapunov, 0.61, 0.02);
        EXPECT_NEAR(a->fractalDim, 1.2, 0.12);
    }
}

TEST_F(ComputePointsTest, RunOfFiveThousandPointsHasNoDimension)
{
    EXPECT_EQ(Shown(HENON, 5000)->fractalDim, 0.0f);
    EXPECT_GT(Shown(HENON, 20000)->fractalDim, 0.0f);
}

TEST_F(ComputePointsTest, LyapunovOfAUniformStretch)
{
    // x' = -1.2 x stretches every separation by 1.2: log2(1.2) bits per iteration.
    AttractorRef a = Shown("EMAMMMMMMMMMM", 200);
    EXPECT_NEAR(a->lyapunov, std::log2(1.2), 0.01);
}

TEST_F(ComputePointsTest, NormalisedAxes)
{
    Shown(HENON);
    float lo[2] = {1, 1}, hi[2] = {-1, -1};
    for (int i = 0; i < 50000; ++i) {
        const Point& p = doc.buffer().points[i];
        ASSERT_EQ(p[2], 0.0f) << "constant z moves to 0";
        ASSERT_EQ(p[3], 0.0f) << "constant w moves to 0";
        if (i < 100)
            continue;
        for (int k = 0; k < 2; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    }
    for (int k = 0; k < 2; ++k) {
        EXPECT_FLOAT_EQ(lo[k], -1.0f);
        EXPECT_FLOAT_EQ(hi[k], 1.0f);
    }
}

TEST_F(ComputePointsTest, SmallCountsAreBoundedFromTheFirstPoint)
{
    for (int n : {1, 2, 50, 100, 101, 150}) {
        SCOPED_TRACE(n);
        AttractorRef a = Shown(HENON, n);
        ASSERT_TRUE(doc.buffer().ready);
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < 4; ++k)
                ASSERT_TRUE(std::isfinite(doc.buffer().points[i][k])) << "point " << i;
        if (n > 1 && n <= 100) {
            // Every point, transient included, lies in -1..1 and the extremes reach it.
            float lo = 1, hi = -1;
            for (int i = 0; i < n; ++i) {
                lo = std::min(lo, doc.buffer().points[i][0]);
                hi = std::max(hi, doc.buffer().points[i][0]);
            }
            EXPECT_FLOAT_EQ(lo, -1.0f);
            EXPECT_FLOAT_EQ(hi, 1.0f);
        }
    }
    AttractorRef none = Shown(HENON, 0);
    EXPECT_EQ(doc.buffer().count, 0);
    EXPECT_EQ(doc.current(), none);
    EXPECT_EQ(host.Status(PANE_POINTS), " 0 points");
}

TEST_F(ComputePointsTest, AllZeroCodeIsAFixedPointOnlyForTheSearch)
{
    std::string zero(13, 'M');
    zero[0] = 'E';
    const int polls = host.polls;
    EXPECT_FALSE(doc.ComputePoints(Code(zero), false, true, nullptr));
    EXPECT_EQ(host.polls, polls + 2) << "rejected at the second iteration";
    EXPECT_FALSE(doc.buffer().ready);
    EXPECT_EQ(host.busyDepth, 0);
    EXPECT_TRUE(doc.ComputePoints(Code(zero), false, false, nullptr));
}

TEST_F(ComputePointsTest, DivergenceRejectsOnlyASearch)
{
    const std::string diverging = "EZMZMMMMMMMMM"; // x' = 1.3 + 1.3 x^2
    EXPECT_FALSE(doc.ComputePoints(Code(diverging), false, true, nullptr));
    EXPECT_TRUE(doc.ComputePoints(Code(diverging, 1000), false, false, nullptr));
}

// The exponent test watches iterations 500 to 4999 only; this case F code passes it, then settles
// on an orbit whose exponent over the whole run is 0: a search for chaos refuses it.
TEST_F(ComputePointsTest, SearchRefusesARunWhoseFinalExponentIsNotChaotic)
{
    const std::string regular = "FGTQCIOJETKQLITRGSEWJ";
    const AttractorRef shown = Shown(regular);
    EXPECT_LE(shown->lyapunov, 0.005f);
    EXPECT_FALSE(doc.ComputePoints(Code(regular), false, true, nullptr));
    EXPECT_TRUE(doc.ComputePoints(Code(HENON), false, true, nullptr)) << "a chaotic run still passes";
}

std::uint64_t TinyMemory()
{
    return 4096;
}
std::uint64_t FourGiB()
{
    return std::uint64_t{4} << 30;
}

// A point count that no memory can hold says so, computes nothing and ends a search as if cancelled.
TEST_F(ComputePointsTest, CountWithoutMemoryIsRefused)
{
    doc.SetAvailableMemory(TinyMemory);
    bool proceed = true;
    AttractorRef a = Code(HENON);
    EXPECT_FALSE(doc.ComputePoints(a, false, false, &proceed));
    EXPECT_FALSE(proceed);
    EXPECT_EQ(host.Status(PANE_MESSAGE), TEXT_NO_MEMORY);
    EXPECT_EQ(doc.buffer().count, 0);
    EXPECT_EQ(doc.buffer().points, nullptr);
    EXPECT_EQ(host.polls, 0);

    a->pointsCount = -5;
    EXPECT_FALSE(doc.ComputePoints(a, false, false, nullptr));
    EXPECT_EQ(host.Status(PANE_MESSAGE), TEXT_NO_MEMORY);

    doc.SetAttractor(doc.NewRandomAttractor('E'), SA_RANDOMIZE | SA_ADD_HISTORY);
    EXPECT_EQ(doc.lastTries(), 1);
    EXPECT_EQ(doc.history().Count(), 0);
    EXPECT_FALSE(doc.current());
    EXPECT_EQ(host.busyDepth, 0);

    // The largest count, on a machine with memory to give: refused without allocating.
    doc.SetAvailableMemory(FourGiB);
    host.ClearRecordings();
    doc.SetAttractor(Code(HENON, std::numeric_limits<std::int32_t>::max()), SA_NO_SEARCH | SA_ADD_HISTORY);
    EXPECT_EQ(host.Status(PANE_MESSAGE), TEXT_NO_MEMORY);
    EXPECT_EQ(doc.buffer().count, 0);
    EXPECT_FALSE(doc.buffer().ready);
    EXPECT_TRUE(host.messages.empty());
}

// Unmended, the points on show were given up before the count was found too large.
TEST_F(ComputePointsTest, ARefusedCountKeepsThePointsOnShow)
{
    AttractorRef a = Shown(HENON);
    doc.SetAvailableMemory(FourGiB);
    doc.SetAttractor(Code(HENON, 1000000000), SA_NO_SEARCH | SA_ADD_HISTORY);
    EXPECT_EQ(host.Status(PANE_MESSAGE), TEXT_NO_MEMORY);
    EXPECT_EQ(doc.current(), a);
    EXPECT_TRUE(doc.buffer().ready);
    EXPECT_EQ(doc.buffer().count, 50000);
    a->pointsCount = 1000000000;
    EXPECT_FALSE(doc.ComputePoints(a, true, false, nullptr));
    EXPECT_EQ(a->pointsCount, 50000);
    EXPECT_TRUE(doc.buffer().ready);
}

} // namespace
} // namespace zephyra::testing
