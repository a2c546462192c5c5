#include "MapPicture.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

struct Stop {
    double at;
    Rgb8 color;
};

// The scales: white at zero, then deeper colours as |λ1| grows (t = 1 - e^(-|λ1| / width)).
constexpr Stop COOL[] = {{0.0, {255, 255, 255}},
                         {0.12, {170, 214, 240}},
                         {0.5, {60, 140, 210}},
                         {0.8, {25, 70, 160}},
                         {1.0, {12, 28, 90}}};
constexpr Stop WARM[] = {{0.0, {255, 255, 255}},
                         {0.15, {255, 226, 120}},
                         {0.5, {240, 140, 40}},
                         {0.8, {196, 40, 24}},
                         {1.0, {100, 0, 30}}};
// λ1 in bits per step where the scales reach about two thirds of their depth.
constexpr double COOL_WIDTH = 0.5;
constexpr double WARM_WIDTH = 0.2;

template <std::size_t N> Rgb8 Along(const Stop (&stops)[N], double t)
{
    t = std::clamp(t, 0.0, 1.0);
    std::size_t i = 1;
    while (i + 1 < N && t > stops[i].at)
        ++i;
    const Stop& a = stops[i - 1];
    const Stop& b = stops[i];
    const double f = (t - a.at) / (b.at - a.at);
    Rgb8 c;
    for (int k = 0; k < 3; ++k)
        c[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(
            std::lround(a.color[static_cast<std::size_t>(k)] +
                        f * (b.color[static_cast<std::size_t>(k)] - a.color[static_cast<std::size_t>(k)])));
    return c;
}

void Put(Picture& picture, int x, int y, const Rgb8& c)
{
    if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height())
        return;
    std::uint8_t* p = picture.Row(y) + 3 * static_cast<std::size_t>(x);
    p[0] = c[0];
    p[1] = c[1];
    p[2] = c[2];
}

} // namespace

Rgb8 MapColor(double lambda)
{
    if (IsEscape(lambda))
        return ESCAPE_COLOR;
    if (lambda < 0.0)
        return Along(COOL, 1.0 - std::exp(lambda / COOL_WIDTH));
    return Along(WARM, 1.0 - std::exp(-lambda / WARM_WIDTH));
}

void DrawCross(Picture& picture, int x, int y)
{
    constexpr int ARM = 6;
    constexpr Rgb8 RIM{255, 255, 255}, INK{0, 0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        const int width = pass == 0 ? 1 : 0;
        const Rgb8& c = pass == 0 ? RIM : INK;
        for (int d = -ARM - width; d <= ARM + width; ++d)
            for (int w = -width; w <= width; ++w) {
                if (d > -2 && d < 2)
                    continue; // the pixel of the attractor itself stays visible
                Put(picture, x + d, y + w, c);
                Put(picture, x + w, y + d, c);
            }
    }
}

Picture MapPicture(const std::vector<double>& values, const MapSettings& m,
                   const std::optional<MapMark>& mark)
{
    Picture picture(m.width, m.height, 8, 3);
    for (int row = 0; row < m.height; ++row)
        for (int column = 0; column < m.width; ++column)
            Put(picture, column, row, MapColor(values[static_cast<std::size_t>(row) * m.width + column]));
    if (mark) {
        const double fx = (mark->x - m.x.low) / (m.x.high - m.x.low) * m.width;
        const double fy = (m.y.high - mark->y) / (m.y.high - m.y.low) * m.height;
        if (fx >= 0.0 && fx < m.width && fy >= 0.0 && fy < m.height)
            DrawCross(picture, static_cast<int>(fx), static_cast<int>(fy));
    }
    return picture;
}

} // namespace zephyra
