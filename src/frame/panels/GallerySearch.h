#pragma once
#include "FindSearch.h"

#include <QImage>
#include <QObject>

#include <memory>
#include <stop_token>

namespace zephyra {

// The Gallery's background search: a FindSearch whose workers also draw each find's density
// thumbnail, and hand both to the user-interface thread through a queued call. A batch ends after
// `count` finds; starting a new one, Stop and destruction end the old one, whose late finds are
// dropped.
class GallerySearch : public QObject {
    Q_OBJECT
public:
    explicit GallerySearch(QObject* parent = nullptr);
    ~GallerySearch() override;

    void Start(const FindSearch::Settings& settings, FindSearch::MakeTry makeTry, int count,
               int thumbnailSize);
    void Stop();
    // Stops, and drops the finds still on their way.
    void Discard();
    [[nodiscard]] bool Running() const { return search_ != nullptr; }
    // Workers are still trying; false once the batch is complete or its tries ran out (a page of
    // variants can have fewer passing neighbours than it has places).
    [[nodiscard]] bool Searching() const { return search_ && search_->Running(); }
    // Tries the latest batch started, so far or until it ended.
    [[nodiscard]] std::uint64_t Tries() const { return search_ ? search_->Tries() : tries_; }
    // A worker of the latest batch could not get its point buffer.
    [[nodiscard]] bool OutOfMemory() const { return search_ ? search_->OutOfMemory() : outOfMemory_; }

signals:
    void Found(const zephyra::Find& find, const QImage& thumbnail);

private:
    void Deliver(unsigned batch, const Find& find, const QImage& thumbnail);

    std::unique_ptr<FindSearch> search_;
    std::stop_source thumbnails_;
    unsigned batch_ = 0;
    int wanted_ = 0;
    int delivered_ = 0;
    std::uint64_t tries_ = 0;
    bool outOfMemory_ = false;
};

} // namespace zephyra
