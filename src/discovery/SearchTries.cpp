#include "SearchTries.h"

namespace zephyra {

FindSearch::MakeTry RandomTries(char letter, const AttractorDefaults& defaults)
{
    return [letter, defaults](std::uint64_t, Attractor& record, RandomGenerator& random) {
        record.valid = record.Randomize(letter, defaults, random);
        return record.valid;
    };
}

FindSearch::MakeTry CodeTries(std::vector<std::string> codes, const DisplaySettings& display,
                              const AttractorDefaults& defaults)
{
    return [codes = std::move(codes), display, defaults](std::uint64_t index, Attractor& record,
                                                         RandomGenerator&) {
        record.valid = index < codes.size() && record.SetCode(codes[index], defaults);
        record.display = display;
        return record.valid;
    };
}

} // namespace zephyra
