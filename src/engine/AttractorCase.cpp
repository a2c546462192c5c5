#include "AttractorCase.h"

namespace zephyra {

std::optional<AttractorCase> DescribeCase(char letter)
{
    if (letter < FIRST_CASE_LETTER || letter > LAST_CASE_LETTER)
        return std::nullopt;

    AttractorCase c;
    c.letter = letter;
    if (letter >= 'Y') {
        static constexpr int specialCounts[] = {10, 14, 14, 18, 6, 9}; // Y Z [ \ ] ^
        c.kind = letter - 87;
        c.dimension = 4;
        c.order = 2;
        c.coefficientsCount = specialCounts[letter - 'Y'];
        return c;
    }
    int code = letter;
    c.kind = KIND_MAP;
    if (letter >= 'Q') {
        code -= 8;
        c.kind = KIND_ODE;
    }
    c.dimension = (code - 65) / 4 + 1;
    c.order = (code - 65) % 4 + 2;
    c.coefficientsCount = c.dimension * TermsPerEquation(c.dimension, c.order);
    return c;
}

} // namespace zephyra
