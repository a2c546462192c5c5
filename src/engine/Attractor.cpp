#include "Attractor.h"

#include "RandomGenerator.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {
constexpr float COEFFICIENT_STEP = 0.1f;
constexpr float LOWEST_COEFFICIENT = -1.2f;            // 'A'
constexpr float HIGHEST_COEFFICIENT = 1.3f;            // 'Z'
constexpr float RANDOM_LETTER_FACTOR = 0.00076296274f; // 25 / 32767
// The characters a value between the letters may be given: printable, so that the code still
// reads as text, wide enough (-4.4 to +4.9) that an older reader sees the nearest attractor.
constexpr int LOWEST_NEAREST_CHARACTER = '!';
constexpr int HIGHEST_NEAREST_CHARACTER = '~';

char NearestCharacter(double value, char current)
{
    const auto distance = [value](int ch) {
        return std::abs(value - static_cast<double>(CoefficientValue(static_cast<char>(ch))));
    };
    if (distance(current) == 0.0)
        return current;
    const double guess = std::isnan(value) ? 0.0 : std::clamp(value * 10.0, -100.0, 100.0);
    int best = std::clamp(77 + static_cast<int>(std::lround(guess)), LOWEST_NEAREST_CHARACTER,
                          HIGHEST_NEAREST_CHARACTER);
    // The guess is computed in double from 0.1 steps; the characters' values are single precision.
    for (const int ch : {best - 1, best + 1})
        if (ch >= LOWEST_NEAREST_CHARACTER && ch <= HIGHEST_NEAREST_CHARACTER &&
            distance(ch) < distance(best))
            best = ch;
    return static_cast<char>(best);
}
} // namespace

float CoefficientValue(char ch)
{
    return static_cast<float>((static_cast<signed char>(ch) - 77) * 0.1);
}

Attractor::Attractor(const AttractorDefaults& defaults) : pointsCount(defaults.defaultPointsCount) {}

AttractorRef Attractor::CreateEmpty(const AttractorDefaults& defaults)
{
    return AttractorRef(new Attractor(defaults));
}

AttractorRef Attractor::CreateRandom(char letter, const AttractorDefaults& defaults, RandomGenerator& random)
{
    AttractorRef a = CreateEmpty(defaults);
    a->valid = a->Randomize(letter, defaults, random);
    return a;
}

AttractorRef Attractor::CreateFromCode(std::string_view text, const AttractorDefaults& defaults)
{
    AttractorRef a = CreateEmpty(defaults);
    a->valid = a->SetCode(text, defaults);
    return a;
}

AttractorRef Attractor::Clone(const AttractorDefaults& defaults) const
{
    AttractorRef c = CreateFromCode(code, defaults);
    c->display = display;
    c->position = position;
    c->fov = fov;
    c->zoom = zoom;
    c->yaw = yaw;
    c->pitch = pitch;
    c->tx = tx;
    c->ty = ty;
    c->xw = xw;
    c->yw = yw;
    c->zw = zw;
    c->pointsCount = pointsCount;
    c->thumbnail = thumbnail;
    c->refusedCode = refusedCode;
    c->exactCoefficients = exactCoefficients;
    return c;
}

bool Attractor::DescribeCase(char letter)
{
    const auto c = zephyra::DescribeCase(letter);
    if (!c)
        return false;
    dimension = c->dimension;
    order = c->order;
    kind = c->kind;
    codeLength = c->CodeLength();
    return true;
}

bool Attractor::Randomize(char letter, const AttractorDefaults& defaults, RandomGenerator& random)
{
    if (code.empty() || code[0] != letter) {
        if (!DescribeCase(letter))
            return false;
        code.assign(static_cast<std::size_t>(codeLength), letter);
        coefficients.assign(static_cast<std::size_t>(codeLength), 0.0f);
    }
    for (int i = 1; i < codeLength; ++i) {
        const double scaled = static_cast<double>(random.Next()) * static_cast<double>(RANDOM_LETTER_FACTOR);
        code[i] = static_cast<char>(65 + static_cast<int>(scaled));
        coefficients[i] = CoefficientValue(code[i]);
    }
    exactCoefficients.clear();
    display = defaults.ForDimension(dimension);
    return true;
}

bool Attractor::SetCode(std::string_view text, const AttractorDefaults& defaults)
{
    if (text.empty() || !DescribeCase(text[0]))
        return false;
    if (text.size() != static_cast<std::size_t>(codeLength))
        return false;
    code.assign(text);
    coefficients.assign(static_cast<std::size_t>(codeLength), 0.0f);
    for (int i = 1; i < codeLength; ++i)
        coefficients[i] = CoefficientValue(code[i]);
    exactCoefficients.clear();
    display = defaults.ForDimension(dimension);
    return true;
}

void Attractor::SetExactCoefficients(const std::vector<double>& values)
{
    if (code.empty() || values.size() != coefficients.size() || code.size() != coefficients.size())
        return;
    bool between = false;
    for (std::size_t i = 1; i < values.size(); ++i) {
        code[i] = NearestCharacter(values[i], code[i]);
        coefficients[i] = CoefficientValue(code[i]);
        between = between || values[i] != static_cast<double>(coefficients[i]);
    }
    exactCoefficients = between ? values : std::vector<double>{};
    if (between)
        exactCoefficients[0] = 0.0;
}

std::vector<double> Attractor::CoefficientValues() const
{
    std::vector<double> values(coefficients.size(), 0.0);
    for (std::size_t i = 1; i < values.size(); ++i)
        values[i] = CoefficientOf(static_cast<int>(i));
    return values;
}

std::vector<float> Attractor::OrbitCoefficients() const
{
    std::vector<float> values(coefficients.size(), 0.0f);
    for (std::size_t i = 1; i < values.size(); ++i)
        values[i] = OrbitCoefficientOf(static_cast<int>(i));
    return values;
}

void Attractor::StepForward()
{
    int p = position;
    if (code.empty() || p < 1 || p >= codeLength)
        return;
    exactCoefficients.clear();
    ++code[p];
    coefficients[p] += COEFFICIENT_STEP;
    while (static_cast<signed char>(code[p]) > 'Z') {
        code[p] = 'A';
        coefficients[p] = LOWEST_COEFFICIENT;
        if (--p == 0)
            return;
        ++code[p];
        coefficients[p] += COEFFICIENT_STEP;
    }
}

void Attractor::StepBack()
{
    int p = position;
    if (code.empty() || p < 1 || p >= codeLength)
        return;
    exactCoefficients.clear();
    --code[p];
    coefficients[p] -= COEFFICIENT_STEP;
    while (static_cast<signed char>(code[p]) < 'A') {
        code[p] = 'Z';
        coefficients[p] = HIGHEST_COEFFICIENT;
        if (--p == 0)
            return;
        --code[p];
        coefficients[p] -= COEFFICIENT_STEP;
    }
}

void Attractor::NextPosition()
{
    const int m = CoefficientsCount();
    if (m > 0)
        position = position >= m ? 1 : position + 1;
}

void Attractor::PreviousPosition()
{
    const int m = CoefficientsCount();
    if (m > 0)
        position = position <= 1 ? m : position - 1;
}

void Attractor::ResetCamera()
{
    fov = DEFAULT_FOV;
    zoom = DEFAULT_ZOOM;
    yaw = pitch = tx = ty = 0.0f;
    xw = yw = zw = 0.0f;
}

bool Attractor::HasDefaultCamera() const
{
    return fov == DEFAULT_FOV && zoom == DEFAULT_ZOOM && yaw == 0.0f && pitch == 0.0f && tx == 0.0f &&
           ty == 0.0f && xw == 0.0f && yw == 0.0f && zw == 0.0f;
}

bool Attractor::HasDrawableCamera() const
{
    for (const float v : {fov, zoom, yaw, pitch, tx, ty, xw, yw, zw})
        if (!std::isfinite(v))
            return false;
    return fov > 0.0f && fov < 180.0f && zoom > 0.0f;
}

} // namespace zephyra
