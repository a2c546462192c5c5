#pragma once
#include "Picture.h"

#include <string>

struct WebPAnimEncoder;

namespace zephyra {

// An animated WebP built in memory through libwebp's animation encoder, one frame at a time, so
// that only the compressed frames are kept. It loops forever.
class WebpAnimation {
public:
    // `quality` 0..100 of the lossy encoding; frames follow each other at `fps` a second.
    WebpAnimation(int width, int height, double fps, float quality);
    ~WebpAnimation();
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    // The next frame, of the animation's size; false when libwebp refuses it.
    [[nodiscard]] bool Add(const Picture& frame);
    // The whole file; empty when encoding failed.
    [[nodiscard]] std::string Finish();

private:
    [[nodiscard]] int Timestamp(int frame) const;

    WebPAnimEncoder* encoder_ = nullptr;
    int width_;
    int height_;
    double fps_;
    float quality_;
    int frames_ = 0;
};

} // namespace zephyra
