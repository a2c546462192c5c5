#include "DensityViewWorker.h"

#include <QMetaObject>

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

QImage ToImage(const zephyra::Picture& picture)
{
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB888);
    for (int y = 0; y < picture.Height(); ++y)
        std::copy_n(picture.Row(y), picture.RowBytes(), image.scanLine(y));
    return image;
}

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

DensityViewWorker::DensityViewWorker(QObject* parent) : QObject(parent) {}

DensityViewWorker::~DensityViewWorker()
{
    job_.thread.request_stop();
    for (Job& job : retiring_)
        job.thread.request_stop();
}

void DensityViewWorker::Show(const DensityScene& scene, QSize size)
{
    if (running_ && scene == scene_ && size == size_)
        return;
    Stop();
    scene_ = scene;
    size_ = size;
    running_ = true;
    job_.done = std::make_shared<std::atomic<bool>>(false);
    job_.thread =
        std::jthread([this, scene, size, generation = generation_, done = job_.done](std::stop_token stop) {
            Run(stop, scene, size, generation);
            *done = true;
        });
}

void DensityViewWorker::Stop()
{
    ++generation_;
    picture_ = QImage();
    refinements_ = 0;
    running_ = false;
    settled_ = false;
    Retire();
}

void DensityViewWorker::Retire()
{
    std::erase_if(retiring_, [](const Job& job) { return job.done->load(); });
    if (!job_.thread.joinable())
        return;
    job_.thread.request_stop();
    retiring_.push_back(std::move(job_));
    job_ = {};
}

void DensityViewWorker::Run(std::stop_token stop, DensityScene scene, QSize size, quint64 generation)
{
    QImage previous;
    for (const Pass& pass : PASSES) {
        DensityOptions options;
        options.width = size.width();
        options.height = size.height();
        options.points = pass.points;
        options.supersample = pass.supersample;
        options.threads = RefineThreads();
        DensityResult result;
        const std::optional<zephyra::Picture> picture =
            RenderDensityPicture(scene, options, stop, {}, result);
        if (!picture || stop.stop_requested())
            return;
        QImage image = ToImage(*picture);
        const bool last = &pass == std::end(PASSES) - 1 ||
                          (!previous.isNull() && MeanChange(previous, image) < SETTLED_CHANGE);
        QMetaObject::invokeMethod(
            this, [this, generation, image, last] { Accept(generation, image, last); }, Qt::QueuedConnection);
        if (last)
            return;
        previous = std::move(image);
    }
}

void DensityViewWorker::Accept(quint64 generation, const QImage& picture, bool last)
{
    if (generation != generation_)
        return;
    picture_ = picture;
    ++refinements_;
    settled_ = last;
    emit pictureReady();
}

} // namespace zephyra
