#include "GallerySearch.h"

#include "FindThumbnail.h"
#include "PictureImage.h"

#include <QMetaObject>

namespace zephyra {

GallerySearch::GallerySearch(QObject* parent) : QObject(parent) {}

GallerySearch::~GallerySearch()
{
    Stop();
}

void GallerySearch::Start(const FindSearch::Settings& settings, FindSearch::MakeTry makeTry, int count,
                          int thumbnailSize)
{
    Stop();
    const unsigned batch = ++batch_;
    wanted_ = count;
    delivered_ = 0;
    tries_ = 0;
    outOfMemory_ = false;
    thumbnails_ = std::stop_source();
    const std::stop_token stop = thumbnails_.get_token();
    // Runs on a worker: the thumbnail is drawn there, and only copies cross to this thread.
    auto onFind = [this, batch, stop, thumbnailSize](Find&& find) {
        const std::optional<Picture> picture = RenderFindThumbnail(find, thumbnailSize, stop);
        if (!picture)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, batch, find = std::move(find), image = ToQImage(*picture)] {
                Deliver(batch, find, image);
            },
            Qt::QueuedConnection);
    };
    search_ = std::make_unique<FindSearch>(settings, std::move(makeTry), std::move(onFind));
}

void GallerySearch::Stop()
{
    if (!search_)
        return;
    thumbnails_.request_stop();
    search_->Stop();
    tries_ = search_->Tries();
    outOfMemory_ = search_->OutOfMemory();
    search_.reset(); // waits for the workers, which stop at their next iteration
}

void GallerySearch::Discard()
{
    Stop();
    ++batch_;
}

void GallerySearch::Deliver(unsigned batch, const Find& find, const QImage& thumbnail)
{
    if (batch != batch_ || delivered_ >= wanted_)
        return;
    // Stopped first, so that the receiver sees the batch complete with its last find.
    if (++delivered_ == wanted_)
        Stop();
    emit Found(find, thumbnail);
}

} // namespace zephyra
