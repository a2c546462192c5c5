#include "Variants.h"

#include "RandomGenerator.h"

#include <array>
#include <unordered_set>

namespace zephyra {

namespace {
constexpr char LOWEST_LETTER = '!';
constexpr char HIGHEST_LETTER = '~';
constexpr int LARGEST_DISTANCE = 6;
// Draws per code wanted before a distance counts as exhausted (small cases have few neighbours).
constexpr int DRAWS_PER_CODE = 8;

// The changes (in letters, before the signs) that add up to each distance 1..6.
using Changes = std::vector<int>;
const std::array<std::vector<Changes>, LARGEST_DISTANCE + 1>& ChangesByDistance()
{
    static const std::array<std::vector<Changes>, LARGEST_DISTANCE + 1> table = {{
        {},
        {{1}},
        {{2}, {1, 1}},
        {{2, 1}, {1, 1, 1}},
        {{2, 2}, {2, 1, 1}},
        {{2, 2, 1}},
        {{2, 2, 2}},
    }};
    return table;
}

int Draw(RandomGenerator& random, int below)
{
    return random.Next() % below;
}

// One random code at `distance` from `code`, or an empty string when a letter would leave the
// printable range or the same coefficient was drawn twice.
std::string DrawVariant(std::string_view code, int distance, RandomGenerator& random)
{
    const auto& choices = ChangesByDistance()[static_cast<std::size_t>(distance)];
    const Changes& changes =
        choices[static_cast<std::size_t>(Draw(random, static_cast<int>(choices.size())))];
    const int coefficients = static_cast<int>(code.size()) - 1;
    if (coefficients < static_cast<int>(changes.size()))
        return {};
    std::string variant(code);
    std::vector<int> used;
    for (const int change : changes) {
        const int at = 1 + Draw(random, coefficients);
        for (const int u : used)
            if (u == at)
                return {};
        used.push_back(at);
        const int letter = variant[static_cast<std::size_t>(at)] + (random.Next() & 1 ? change : -change);
        if (letter < LOWEST_LETTER || letter > HIGHEST_LETTER)
            return {};
        variant[static_cast<std::size_t>(at)] = static_cast<char>(letter);
    }
    return variant;
}
} // namespace

std::vector<std::string> VariantCodes(std::string_view code, std::uint64_t seed, int perDistance)
{
    std::vector<std::string> codes;
    if (code.size() < 2)
        return codes;
    RandomGenerator random(seed);
    std::unordered_set<std::string> seen;
    for (int distance = 1; distance <= LARGEST_DISTANCE; ++distance) {
        int taken = 0;
        for (int draw = 0; draw < perDistance * DRAWS_PER_CODE && taken < perDistance; ++draw) {
            std::string variant = DrawVariant(code, distance, random);
            if (!variant.empty() && seen.insert(variant).second) {
                codes.push_back(std::move(variant));
                ++taken;
            }
        }
    }
    return codes;
}

} // namespace zephyra
