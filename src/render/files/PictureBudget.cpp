#include "PictureBudget.h"

#include "CanvasBudget.h"
#include "DensityRenderer.h"

namespace zephyra {

std::string FitDensityPicture(DensityOptions& o, std::uint64_t available)
{
    const bool colors = o.palette == Palette::Coordinates;
    const std::uint64_t fixed = EncodedBytes(PictureBytes(o));
    const std::uint64_t leastCanvas = StripRowBytes(o, WorkerCount(o.threads), colors);
    if (FitCanvas(o, fixed, leastCanvas, available))
        return {};
    return MemoryRefusal("a " + SizeText(o.width, o.height) + " density picture", fixed + leastCanvas,
                         available);
}

} // namespace zephyra
