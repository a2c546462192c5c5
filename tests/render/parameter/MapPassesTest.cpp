#include "MapPasses.h"
#include "Attractor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zephyra {
namespace {

bool SameValue(double a, double b)
{
    return (IsEscape(a) && IsEscape(b)) || a == b;
}

TEST(MapPasses, SpreadFillsEachBlockWithItsCoarsePixel)
{
    // A 2 x 2 pass over a 5 x 3 map: columns 0-2 and rows 0-1 take the first pixel of each.
    MapSettings whole;
    whole.width = 5;
    whole.height = 3;
    MapSettings pass = whole;
    pass.width = 2;
    pass.height = 2;
    const std::vector<double> spread = SpreadPass({1, 2, 3, 4}, pass, whole);
    const std::vector<double> expected{1, 1, 1, 2, 2, //
                                       1, 1, 1, 2, 2, //
                                       3, 3, 3, 4, 4};
    EXPECT_EQ(spread, expected);
}

TEST(MapPasses, CoarseToFineAndTheLastIsTheWholeMap)
{
    const AttractorRef attractor = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    const ParameterSystem system = ParameterSystem::Of(*attractor);
    const MapSettings whole{{3, -1.9, -0.9}, {5, -0.2, 0.8}, 21, 13, 100, 300};
    std::vector<MapPass> passes;
    ASSERT_TRUE(ComputeMapPasses(system, whole, {}, [&](MapPass p) { passes.push_back(std::move(p)); }));
    ASSERT_EQ(passes.size(), 4u);
    for (std::size_t i = 0; i < passes.size(); ++i) {
        EXPECT_EQ(passes[i].divisor, MAP_PASS_DIVISORS[i]);
        ASSERT_EQ(passes[i].values.size(), 21u * 13u);
    }
    std::vector<double> exact;
    ASSERT_TRUE(ComputeMapRows(system, whole, 0, whole.height, exact, {}));
    for (std::size_t i = 0; i < exact.size(); ++i)
        ASSERT_TRUE(SameValue(passes.back().values[i], exact[i])) << i;

    // The quarter pass is the map of a quarter of the pixels over the same ranges, spread.
    const MapSettings quarter = PassSettings(whole, 4);
    EXPECT_EQ(quarter.width, 6);
    EXPECT_EQ(quarter.height, 4);
    std::vector<double> coarse;
    ASSERT_TRUE(ComputeMapRows(system, quarter, 0, quarter.height, coarse, {}));
    const std::vector<double> spread = SpreadPass(coarse, quarter, whole);
    for (std::size_t i = 0; i < spread.size(); ++i)
        ASSERT_TRUE(SameValue(passes[1].values[i], spread[i])) << i;
}

TEST(MapPasses, ATinyMapSkipsPassesNoFinerThanTheOneBefore)
{
    const AttractorRef attractor = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    const MapSettings whole{{3, -1.9, -0.9}, {5, -0.2, 0.8}, 3, 2, 10, 10};
    std::vector<int> divisors;
    ASSERT_TRUE(ComputeMapPasses(ParameterSystem::Of(*attractor), whole, {},
                                 [&](MapPass p) { divisors.push_back(p.divisor); }));
    // 1 x 1, again 1 x 1 (skipped), 2 x 1, and the whole 3 x 2.
    EXPECT_EQ(divisors, (std::vector<int>{8, 2, 1}));
}

TEST(MapPasses, AStoppedRunDeliversNothingMore)
{
    const AttractorRef attractor = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    const MapSettings whole{{3, -1.9, -0.9}, {5, -0.2, 0.8}, 16, 16, 10, 10};
    std::stop_source stop;
    int delivered = 0;
    EXPECT_FALSE(ComputeMapPasses(ParameterSystem::Of(*attractor), whole, stop.get_token(), [&](MapPass) {
        ++delivered;
        stop.request_stop();
    }));
    EXPECT_EQ(delivered, 1);
}

} // namespace
} // namespace zephyra
