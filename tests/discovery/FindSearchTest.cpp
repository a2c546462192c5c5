#include "FindSearch.h"
#include "FillMeasure.h"
#include "KaplanYorke.h"
#include "LyapunovExponents.h"
#include "OrderedFinds.h"
#include "PointGeneration.h"
#include "SearchTries.h"
#include "WorkerServices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

using namespace zephyra;

namespace {

// The first `count` finds of a search in try order.
std::vector<Find> Search(char letter, int jobs, std::uint64_t seed, std::size_t count,
                         SearchFilter filter = {})
{
    AttractorDefaults defaults;
    defaults.defaultPointsCount = 8000;
    OrderedFinds finds;
    FindSearch search({jobs, seed, filter, defaults}, RandomTries(letter, defaults),
                      [&finds](Find&& f) { finds.Add(std::move(f)); });
    for (;;) {
        if (auto first = finds.First(count, search.Frontier()))
            return *first;
        finds.Wait(std::chrono::milliseconds(50));
    }
}

TEST(FindSearch, TheSeedAloneFixesTheFinds)
{
    const std::vector<Find> one = Search('E', 1, 7, 4);
    const std::vector<Find> two = Search('E', 2, 7, 4);
    const std::vector<Find> three = Search('E', 3, 7, 4);
    ASSERT_EQ(one.size(), 4u);
    for (std::size_t k = 0; k < one.size(); ++k) {
        EXPECT_EQ(two[k].code, one[k].code);
        EXPECT_EQ(three[k].code, one[k].code);
        EXPECT_EQ(three[k].fractalDim, one[k].fractalDim);
    }
    EXPECT_NE(Search('E', 2, 8, 1)[0].code, one[0].code);
}

TEST(FindSearch, EveryFindPassesTheChaosTestsAlone)
{
    for (const Find& find : Search('F', 2, 3, 3)) {
        PointBuffer buffer;
        AttractorRef current;
        RandomGenerator random(1);
        WorkerServices services;
        ComputeContext context{buffer, current, random, services, services};
        AttractorDefaults defaults;
        defaults.defaultPointsCount = 8000;
        const AttractorRef again = Attractor::CreateFromCode(find.code, defaults);
        ASSERT_TRUE(ComputePoints(context, again, true, true, nullptr)) << find.code;
        EXPECT_EQ(again->lyapunov, find.lyapunov) << find.code; // the exponent draws no random numbers
        EXPECT_EQ(find.pointsCount, 8000);
    }
}

TEST(FindSearch, FiltersRejectWhatTheyShould)
{
    SearchFilter filter;
    filter.minLyapunov = 0.2f;
    filter.dimension = {1.0f, 1.6f};
    filter.fill = {0.05f, 0.4f};
    EXPECT_TRUE(filter.Accepts(0.2f, 1.0f, 0.4f));
    EXPECT_FALSE(filter.Accepts(0.19f, 1.2f, 0.2f));
    EXPECT_FALSE(filter.Accepts(0.3f, 1.61f, 0.2f));
    EXPECT_FALSE(filter.Accepts(0.3f, 1.2f, 0.41f));
    EXPECT_FALSE(filter.Accepts(0.3f, 1.2f, 0.01f));

    for (const Find& f : Search('E', 2, 5, 3, filter)) {
        EXPECT_GE(f.lyapunov, 0.2f);
        EXPECT_TRUE(filter.dimension.Contains(f.fractalDim)) << f.fractalDim;
        EXPECT_TRUE(filter.fill.Contains(f.fill)) << f.fill;
    }
}

// --hyperchaotic and --min-ky measure the spectrum of each find that passes the other filters, keep
// those it qualifies and hand it on with the find; other searches measure no spectrum.
TEST(FindSearch, SpectrumFiltersKeepHyperchaoticAndHighDimensionalFinds)
{
    SearchFilter both;
    both.hyperchaotic = true;
    both.minKaplanYorke = 2.0f;
    EXPECT_TRUE(both.AcceptsSpectrum(2, 2.0));
    EXPECT_FALSE(both.AcceptsSpectrum(1, 3.0));
    EXPECT_FALSE(both.AcceptsSpectrum(3, 1.99));
    EXPECT_FALSE(SearchFilter{}.NeedsSpectrum());

    SearchFilter hyper;
    hyper.hyperchaotic = true;
    for (const Find& f : Search('M', 2, 3, 2, hyper)) {
        ASSERT_EQ(f.spectrum.size(), 4u) << f.code;
        // The same spectrum again from the code alone: the find carries its own orbit's figures.
        AttractorDefaults defaults;
        defaults.defaultPointsCount = 8000;
        SpectrumSettings settings;
        settings.steps = 8000;
        const SpectrumResult again =
            MeasureSpectrum(OrbitSystem::Of(*Attractor::CreateFromCode(f.code, defaults)), settings);
        EXPECT_EQ(again.exponents, f.spectrum) << f.code;
        EXPECT_GE(PositiveExponents(again), 2) << f.code;
        EXPECT_GT(f.spectrum[1], 0.0) << f.code;
    }

    SearchFilter dimension;
    dimension.minKaplanYorke = 1.4f;
    for (const Find& f : Search('E', 2, 3, 3, dimension)) {
        ASSERT_EQ(f.spectrum.size(), 2u) << f.code;
        EXPECT_GE(f.kaplanYorke, 1.4) << f.code;
        EXPECT_DOUBLE_EQ(f.kaplanYorke, KaplanYorkeDimension(f.spectrum)) << f.code;
    }
    for (const Find& f : Search('E', 2, 3, 2))
        EXPECT_TRUE(f.spectrum.empty());
}

TEST(FillMeasure, CountsTheCellsReachedOnTheDisplayedAxes)
{
    const Point points[] = {{-1, -1, 0, 0}, {-0.99f, -0.99f, 0, 0}, {1, 1, 0.5f, 0}, {0, 1, -1, 0}};
    DisplaySettings display;
    EXPECT_FLOAT_EQ(MeasureFill(points, 0, 4, display), 3.0f / 4096); // the first two share a cell
    EXPECT_FLOAT_EQ(MeasureFill(points, 2, 4, display), 2.0f / 4096);
    display.coordY = COORD_ZERO; // y drawn at 0: x alone tells the cells
    EXPECT_FLOAT_EQ(MeasureFill(points, 0, 4, display), 3.0f / 4096);
    display.coordX = COORD_Z;
    EXPECT_FLOAT_EQ(MeasureFill(points, 0, 4, display), 3.0f / 4096);
}

// Unmended, a point far outside -1..1 (an orbit that left its bounds after they were taken) gave
// a negative cell, and the bit set's range check ended a Gallery worker with std::out_of_range.
TEST(FillMeasure, PointsOutsideTheBoundsLandInTheEdgeCells)
{
    constexpr float INF = std::numeric_limits<float>::infinity();
    const Point points[] = {{1e10f, 1e10f, 0, 0},
                            {INF, INF, 0, 0},
                            {-INF, -1e10f, 0, 0},
                            {std::numeric_limits<float>::quiet_NaN(), 0, 0, 0}};
    float fill = 0.0f;
    ASSERT_NO_THROW(fill = MeasureFill(points, 0, 4, DisplaySettings{}));
    EXPECT_FLOAT_EQ(fill, 3.0f / 4096); // the top right corner twice, the bottom left, a NaN at the left
}

} // namespace
