#include "SearchTries.h"

#include "Variants.h"

namespace zephyra {

FindSearch::MakeTry RandomTries(char letter, const AttractorDefaults& defaults)
{
    return [letter, defaults](std::uint64_t, Attractor& record, RandomGenerator& random) {
        record.valid = record.Randomize(letter, defaults, random);
        return record.valid;
    };
}

FindSearch::MakeTry VariantTries(const Attractor& source, std::uint64_t seed, int perDistance,
                                 const AttractorDefaults& defaults)
{
    std::vector<double> exact =
        source.HasExactCoefficients() ? source.exactCoefficients : std::vector<double>{};
    return [codes = VariantCodes(source.code, seed, perDistance), sourceCode = source.code,
            exact = std::move(exact), display = source.display,
            defaults](std::uint64_t index, Attractor& record, RandomGenerator&) {
        record.valid = index < codes.size() && record.SetCode(codes[index], defaults);
        record.display = display;
        if (record.valid && !exact.empty()) {
            std::vector<double> values = exact;
            for (std::size_t i = 1; i < values.size(); ++i)
                values[i] += static_cast<double>(record.coefficients[i]) -
                             static_cast<double>(CoefficientValue(sourceCode[i]));
            record.SetExactCoefficients(values);
        }
        return record.valid;
    };
}

} // namespace zephyra
