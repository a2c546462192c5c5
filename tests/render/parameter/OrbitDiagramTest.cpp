#include "OrbitDiagram.h"
#include "Attractor.h"

#include <gtest/gtest.h>

#include <vector>

namespace zephyra {
namespace {

int RowsHit(const std::vector<std::uint32_t>& counts, const DiagramSettings& d, int column)
{
    int rows = 0;
    for (int row = 0; row < d.height; ++row)
        rows += counts[static_cast<std::size_t>(column) * d.height + row] != 0;
    return rows;
}

// Henon's map over a, its x^2 coefficient: one stable fixed point near a = 0, period doublings,
// then the chaotic band at the classic a = -1.4.
TEST(OrbitDiagram, HenonHasOneFixedPointNearZeroAndAChaoticBandAtTheClassicValue)
{
    const AttractorRef henon = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    const ParameterSystem system = ParameterSystem::Of(*henon);
    DiagramSettings d;
    d.x = {3, -1.45, -0.05}; // column 0 at a = -1.4, column 13 at a = -0.1
    d.width = 14;
    d.height = 400;
    FitDiagramRange(system, d);
    EXPECT_LT(d.low, -1.2);
    EXPECT_GT(d.high, 1.2);
    std::vector<std::uint32_t> counts;
    ASSERT_TRUE(ComputeDiagramColumns(system, d, 0, d.width, counts, {}));
    EXPECT_EQ(RowsHit(counts, d, 13), 1);
    EXPECT_GT(RowsHit(counts, d, 0), 200);
    // Every point of a bounded orbit is counted somewhere in its column.
    std::uint64_t total = 0;
    for (int row = 0; row < d.height; ++row)
        total += counts[static_cast<std::size_t>(row)];
    EXPECT_EQ(total, static_cast<std::uint64_t>(d.points));

    // A band of columns is those columns of the whole diagram.
    std::vector<std::uint32_t> band;
    ASSERT_TRUE(ComputeDiagramColumns(system, d, 5, 4, band, {}, {}, 3));
    EXPECT_TRUE(std::equal(band.begin(), band.end(), counts.begin() + 5 * d.height));
}

} // namespace
} // namespace zephyra
