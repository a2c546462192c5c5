#include "CliSession.h"

#include "ChaosMeasures.h"
#include "JsonText.h"
#include "MemoryBudget.h"
#include "PointMemory.h"
#include "RecordFile.h"
#include "StatusTexts.h"

#include <chrono>
#include <ostream>

namespace zephyra::cli {

ComputeOptions ReadComputeOptions(const ParsedArguments& arguments)
{
    ComputeOptions options;
    if (const auto v = arguments.Value(POINTS_OPTION)) {
        // render takes more for its density pictures: an orbit of its own is held in 32 bits.
        const std::uint64_t points = ParseLargeCount(*v, "--points");
        if (points < 1 || points > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            throw UsageError("bad number for --points: '" + *v + "' (1 to 2147483647)");
        options.points = static_cast<std::int32_t>(points);
    }
    if (const auto v = arguments.Value(START_OPTION))
        options.start = ParseStartPoint(*v, "--start");
    if (const auto v = arguments.Value(SEED_OPTION))
        options.seed = ParseLargeCount(*v, "--seed");
    options.json = arguments.Has("json");
    options.coefficients = ReadCoefficientOptions(arguments);
    return options;
}

std::string RecordFileMemoryRefusal(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(path, error);
    const std::uint64_t need = error ? 0 : RecordFileReadBytes(size);
    const std::uint64_t available = SystemAvailableMemory();
    if (available == 0 || need <= available)
        return {};
    return MemoryRefusal("reading " + path.string() + " (" + std::to_string(size >> 20) + " MiB)", need,
                         available);
}

CliSession::CliSession(CommandIo& io_, const ComputeOptions& options)
    : io(io_), host(io_.err), document(host, nullptr, options.seed.value_or(RandomGenerator::TimeSeed())),
      options_(options)
{
    if (options.points) {
        DocumentSettings settings = document.settings();
        settings.defaults.defaultPointsCount = *options.points;
        document.ApplySettings(settings);
    }
}

AttractorRef CliSession::FromCode(const std::string& code)
{
    SetSubject(code);
    AttractorRef a = Attractor::CreateFromCode(code, document.defaults());
    if (options_.start) {
        const Point& s = *options_.start;
        a->display.x0 = s[0];
        a->display.y0 = s[1];
        a->display.z0 = s[2];
        a->display.w0 = s[3];
    }
    ApplyCoefficientOptions(options_.coefficients, *a);
    return a;
}

void CliSession::SetSubject(const std::string& code)
{
    host.SetMessagePrefix("zephyra " + std::string(io.command) + ": '" + code + "': ");
}

void CliSession::RefuseCode(const std::string& code)
{
    SetSubject(code);
    host.MessageBox(TEXT_WRONG_CONFIGURATION, "Attractor", MessageIcon::Warning);
}

bool CliSession::Show(const AttractorRef& attractor, int flags, char letter)
{
    if (attractor->valid)
        SetSubject(attractor->code);
    const auto begin = std::chrono::steady_clock::now();
    document.SetAttractor(attractor, flags, letter);
    seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (host.MessageShown())
        return false;
    if (host.Status(PANE_MESSAGE) != TEXT_DONE) {
        io.err << host.Status(PANE_MESSAGE) << "\n";
        return false;
    }
    return true;
}

int CliSession::FailureCode() const
{
    return host.Status(PANE_MESSAGE) == TEXT_CANCELED ? EXIT_INTERRUPTED : EXIT_FAILED;
}

bool CliSession::OrbitStaysBounded(const char* command, const Attractor& attractor) const
{
    const PointBuffer& buffer = document.buffer();
    if (IsFinitePoint(buffer.centre) && IsFinitePoint(buffer.scale))
        return true;
    io.err << "zephyra " << command << ": the orbit of '" << attractor.code << "' leaves every bound\n";
    return false;
}

void CliSession::PrintStatusTexts(std::ostream& out) const
{
    for (int pane = PANE_CASE; pane <= PANE_START; ++pane)
        out << host.Status(pane) << "\n";
}

void CliSession::PrintJson(std::ostream& out, const Attractor& a) const
{
    out << '{';
    WriteJsonMembers(out, a);
    out << "}\n";
}

void CliSession::WriteJsonMembers(std::ostream& out, const Attractor& a) const
{
    WriteAttractorFields(out, a);
    out << ",\"tries\":" << document.lastTries() << ",\"seconds\":";
    WriteJsonNumber(out, seconds_);
}

} // namespace zephyra::cli
