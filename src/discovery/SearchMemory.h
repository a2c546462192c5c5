#pragma once
#include <cstdint>
#include <string>

namespace zephyra {

// The workers of a search (and the threads of a contact sheet) that fit into memory together.
// Each worker holds the points of its try, and where it draws the density thumbnail of a find
// (`thumbnailSize` > 0) that thumbnail's orbit and canvas as well; all of them hold theirs at
// once. Without this every worker checked only its own buffer against what was left, and a
// hundred of them went past a memory cgroup together.
struct WorkerFit {
    int workers = 0;        // the workers to run: at most those asked for, 0 when none fits
    std::uint64_t each = 0; // what one of them holds
    std::string refusal;    // when none fits, one line saying so
};

// `available`: the bytes the machine or the memory cgroup can still give (0: unknown, every worker
// runs). `thumbnailSize` 0: no thumbnails.
[[nodiscard]] WorkerFit FitSearchWorkers(int jobs, std::int32_t points, int thumbnailSize,
                                         std::uint64_t available);

// The threads of a contact sheet, which draw the thumbnails of finds after their search.
[[nodiscard]] WorkerFit FitThumbnailThreads(int jobs, std::int32_t points, int thumbnailSize,
                                            std::uint64_t available);

} // namespace zephyra
