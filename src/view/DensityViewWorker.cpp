#include "DensityViewWorker.h"

#include "PictureImage.h"
#include "QueuedPost.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

struct Pass {
    std::uint64_t points;
    int supersample;
};

// The first pass is small enough to show within a tenth of a second; each later one starts
// afresh with more points, so the picture sharpens in steps.
constexpr Pass PASSES[] = {
    {1'000'000, 1}, {6'000'000, 2}, {25'000'000, 2}, {80'000'000, 2}, {200'000'000, 2}};

// Below this mean change of a channel (in 8-bit steps) more points would not show.
constexpr double SETTLED_CHANGE = 0.35;

double MeanChange(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255.0;
    double sum = 0.0;
    const int rowBytes = a.width() * 3;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* p = a.constScanLine(y);
        const uchar* q = b.constScanLine(y);
        for (int i = 0; i < rowBytes; ++i)
            sum += std::abs(p[i] - q[i]);
    }
    return sum / (static_cast<double>(rowBytes) * a.height());
}

// One core stays free for the window while the picture refines.
int RefineThreads()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
}

} // namespace

DensityViewWorker::DensityViewWorker(QObject* parent)
    : QObject(parent),
      job_(QueuedPost(this), [this](Refinement refinement) { Accept(std::move(refinement)); })
{
}

DensityViewWorker::~DensityViewWorker() = default;

void DensityViewWorker::Show(const DensityScene& scene, QSize size, bool shade)
{
    if (shown_ && scene == scene_ && size == size_ && shade == shade_)
        return;
    Stop();
    scene_ = scene;
    size_ = size;
    shade_ = shade;
    shown_ = true;
    job_.Start([scene, size, shade](std::stop_token stop, const LatestJob<Refinement>::Deliver& deliver) {
        Refine(stop, scene, size, shade, deliver);
    });
}

void DensityViewWorker::Stop()
{
    job_.Stop();
    picture_ = QImage();
    refinements_ = 0;
    shown_ = false;
    settled_ = false;
}

void DensityViewWorker::Refine(std::stop_token stop, const DensityScene& scene, QSize size, bool shade,
                               const LatestJob<Refinement>::Deliver& deliver)
{
    QImage previous;
    for (const Pass& pass : PASSES) {
        DensityOptions options;
        options.width = size.width();
        options.height = size.height();
        options.points = pass.points;
        options.supersample = pass.supersample;
        options.threads = RefineThreads();
        options.shade = shade;
        DensityResult result;
        const std::optional<zephyra::Picture> picture =
            RenderDensityPicture(scene, options, stop, {}, result);
        if (!picture || stop.stop_requested())
            return;
        QImage image = ToQImage(*picture);
        const bool last = &pass == std::end(PASSES) - 1 ||
                          (!previous.isNull() && MeanChange(previous, image) < SETTLED_CHANGE);
        deliver({image, last});
        if (last)
            return;
        previous = std::move(image);
    }
}

void DensityViewWorker::Accept(Refinement refinement)
{
    picture_ = std::move(refinement.picture);
    ++refinements_;
    settled_ = refinement.last;
    emit pictureReady();
}

} // namespace zephyra
