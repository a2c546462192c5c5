#include "FindOutput.h"

#include "AtomicFile.h"
#include "CliSession.h"
#include "ContactSheet.h"
#include "DocumentFile.h"
#include "JsonText.h"
#include "PngFile.h"
#include "PointMemory.h"
#include "SearchMemory.h"
#include "StatusTexts.h"

#include <algorithm>
#include <ostream>

namespace zephyra::cli {

namespace {
void PrintText(std::ostream& out, const Attractor& a)
{
    out << a.code << "\n"
        << CaseText(a) << "\n"
        << PointsText(a.pointsCount) << "\n"
        << MeasuresText(a) << "\n"
        << StartPointText(a) << "\n";
}

void PrintJson(std::ostream& out, const Attractor& a, const Find& find)
{
    out << '{';
    WriteAttractorFields(out, a);
    out << ",\"fill\":";
    WriteJsonNumber(out, find.fill);
    out << ",\"try\":" << find.index;
    if (!find.spectrum.empty()) {
        out << ",\"spectrum\":";
        WriteJsonNumbers(out, find.spectrum);
        out << ",\"kaplanYorke\":";
        WriteJsonNumber(out, find.kaplanYorke);
    }
    out << "}\n";
}

// The contact sheet of the finds as a PNG file; false, with the reason on stderr, when not written.
bool WriteSheet(CliSession& session, const std::vector<Find>& finds, const DiscoveryOptions& options)
{
    const WorkerFit threads = FitThumbnailThreads(std::min(options.jobs, static_cast<int>(finds.size())),
                                                  session.document.defaults().defaultPointsCount,
                                                  SHEET_THUMBNAIL_SIZE, SystemAvailableMemory());
    std::string error = threads.refusal;
    if (error.empty()) {
        const std::optional<Picture> sheet = RenderContactSheet(finds, threads.workers, {});
        error = sheet ? WritePngFile(*options.sheet, EncodePng(*sheet, {})) : "not drawn";
    }
    if (error.empty())
        return true;
    session.io.err << "zephyra: contact sheet not written to '" << options.sheet->string() << "': " << error
                   << "\n";
    return false;
}

int ReportFinds(CliSession& session, const BatchResult& batch, const DiscoveryOptions& options, bool json)
{
    CZephyraDoc& doc = session.document;
    AttractorList found;
    for (const Find& find : batch.finds) {
        const AttractorRef a = MakeAttractor(find, doc.defaults());
        if (json)
            PrintJson(session.io.out, *a, find);
        else
            PrintText(session.io.out, *a);
        found.AddTail(a);
    }
    doc.JoinSaved(found);
    session.io.out.flush();
    bool failed = false;
    if (batch.cancelled || batch.outOfMemory) {
        session.io.err << (batch.cancelled ? TEXT_CANCELED : TEXT_NO_MEMORY) << "\n";
        failed = true;
    } else if (batch.finds.size() < static_cast<std::size_t>(options.count)) {
        session.io.err << "found " << batch.finds.size() << " of " << options.count << "\n";
        failed = true;
    }
    // What was found is kept even when the batch ended early; without a find an existing file
    // stays as it was.
    if (batch.finds.empty()) {
        for (const auto& file : {options.output, options.sheet})
            if (file)
                session.io.err << "zephyra: nothing found, '" << file->string() << "' not written\n";
    } else {
        if (options.output && !OnSaveDocument(doc, *options.output))
            failed = true;
        if (options.sheet && !WriteSheet(session, batch.finds, options))
            failed = true;
    }
    if (batch.cancelled)
        return EXIT_INTERRUPTED;
    return failed ? EXIT_FAILED : EXIT_OK;
}
} // namespace

int RunAndReport(CliSession& session, const ComputeOptions& compute, const DiscoveryOptions& options,
                 std::uint64_t seed, FindSearch::MakeTry makeTry)
{
    for (const auto& file : {options.output, options.sheet}) {
        if (const std::string problem = file ? WritableFileProblem(*file) : ""; !problem.empty()) {
            session.io.err << "zephyra: " << problem << "\n";
            return EXIT_FAILED;
        }
    }
    const std::int32_t points = session.document.defaults().defaultPointsCount;
    const WorkerFit fit = FitSearchWorkers(options.jobs, points, 0, SystemAvailableMemory());
    if (fit.workers == 0) {
        session.io.err << "zephyra: " << fit.refusal << "\n";
        return EXIT_FAILED;
    }
    if (fit.workers < options.jobs && !session.io.quiet)
        session.io.err << "zephyra: memory for " << fit.workers << " of " << options.jobs << " workers of "
                       << points << " points; running " << fit.workers << "\n";
    const FindSearch::Settings settings{fit.workers, seed, options.filter, session.document.defaults()};
    const BatchResult batch = RunBatch(settings, std::move(makeTry), static_cast<std::size_t>(options.count),
                                       session.host, session.io);
    return ReportFinds(session, batch, options, compute.json);
}

} // namespace zephyra::cli
