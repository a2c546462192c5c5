#pragma once
#include "Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zephyra {

// An animated WebP built in memory one frame at a time: each frame is encoded whole as it comes
// and only its compressed bytes are kept, counted, until Finish puts them into one file. It loops
// for ever.
class WebpAnimation {
public:
    // `quality` 0..100 of the lossy encoding; frames follow each other at `fps` a second.
    WebpAnimation(int width, int height, double fps, float quality);

    // The next frame, of the animation's size; false when libwebp refuses it.
    [[nodiscard]] bool Add(const Picture& frame);
    // The compressed frames held so far.
    [[nodiscard]] std::uint64_t HeldBytes() const { return held_; }
    [[nodiscard]] int Frames() const { return static_cast<int>(frames_.size()); }
    // The whole file; empty when there is no frame or assembling failed. The frames held are
    // given back.
    [[nodiscard]] std::string Finish();

private:
    [[nodiscard]] int Timestamp(int frame) const;

    int width_;
    int height_;
    double fps_;
    float quality_;
    std::vector<std::string> frames_; // each a WebP file of one picture
    std::uint64_t held_ = 0;
};

} // namespace zephyra
