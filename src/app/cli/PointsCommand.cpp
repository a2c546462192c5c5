#include "CliSession.h"
#include "Iterate.h"

#include <charconv>
#include <ostream>
#include <vector>

namespace zephyra::cli {

namespace {
constexpr int SIGNIFICANT_DIGITS = 9;

void WritePoints(std::ostream& out, const Point* points, int count)
{
    out << "x,y,z,w\n";
    char line[4 * 32];
    for (int i = 0; i < count; ++i) {
        char* p = line;
        for (int k = 0; k < 4; ++k) {
            if (k > 0)
                *p++ = ',';
            p = std::to_chars(p, line + sizeof line, points[i][k], std::chars_format::general,
                              SIGNIFICANT_DIGITS)
                    .ptr;
        }
        *p++ = '\n';
        out.write(line, p - line);
    }
}

int RunPoints(const ParsedArguments& parsed, CommandIo& io)
{
    parsed.ExpectPositional(1, "CODE");
    CliSession session(io, ReadComputeOptions(parsed));
    const AttractorRef attractor = session.FromCode(parsed.Positional()[0]);
    // The stored points are the main orbit as iterated; the normalised ones are what the view draws.
    if (!session.Show(attractor, SA_NO_SEARCH))
        return session.FailureCode();
    if (!session.OrbitStaysBounded("points", *attractor))
        return EXIT_FAILED;
    const int count = attractor->pointsCount;
    if (!parsed.Has("raw")) {
        WritePoints(io.out, session.document.buffer().points.get(), count);
        return EXIT_OK;
    }
    std::vector<Point> raw(static_cast<std::size_t>(count));
    const DisplaySettings& d = attractor->display;
    Point p{d.x0, d.y0, d.z0, d.w0};
    for (int i = 0; i < count; ++i) {
        Iterate(*attractor, p, raw[static_cast<std::size_t>(i)], i);
        p = raw[static_cast<std::size_t>(i)];
    }
    WritePoints(io.out, raw.data(), count);
    return EXIT_OK;
}
} // namespace

Subcommand PointsCommand()
{
    return {"points",
            "points CODE [OPTIONS]",
            "Computes the attractor of CODE without search and writes its points as CSV x,y,z,w with\n"
            "9 significant digits, normalised to -1..1 per axis as the view draws them (points 0 to 99,\n"
            "the transient the view skips, may lie outside). An orbit that leaves every bound writes\n"
            "nothing and exits 1.\n",
            {POINTS_OPTION,
             START_OPTION,
             SEED_OPTION,
             COEF_OPTION,
             {"--raw", "", "the points as iterated, before normalisation"}},
            "",
            RunPoints};
}

} // namespace zephyra::cli
