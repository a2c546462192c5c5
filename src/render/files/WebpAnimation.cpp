#include "WebpAnimation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cmath>
#include <vector>

namespace zephyra {

WebpAnimation::WebpAnimation(int width, int height, double fps, float quality)
    : width_(width), height_(height), fps_(fps), quality_(quality)
{
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return;
    options.anim_params.loop_count = 0; // for ever
    encoder_ = WebPAnimEncoderNew(width, height, &options);
}

WebpAnimation::~WebpAnimation()
{
    if (encoder_)
        WebPAnimEncoderDelete(encoder_);
}

int WebpAnimation::Timestamp(int frame) const
{
    return static_cast<int>(std::lround(frame * 1000.0 / fps_));
}

bool WebpAnimation::Add(const Picture& frame)
{
    if (!encoder_ || frame.Width() != width_ || frame.Height() != height_)
        return false;
    WebPConfig config;
    if (!WebPConfigInit(&config))
        return false;
    config.quality = quality_;
    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        return false;
    picture.width = width_;
    picture.height = height_;
    picture.use_argb = 1;
    const int channels = frame.Channels();
    std::vector<std::uint8_t> eightBits;
    const std::uint8_t* bytes = frame.Row(0);
    if (frame.Depth() != 8) { // 16-bit pictures are shown in 8 bits
        eightBits.resize(static_cast<std::size_t>(width_) * height_ * channels);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                for (int c = 0; c < channels; ++c)
                    eightBits[(static_cast<std::size_t>(y) * width_ + x) * channels + c] =
                        static_cast<std::uint8_t>(std::lround(frame.Sample(x, y, c) * 255.0));
        bytes = eightBits.data();
    }
    const bool imported = frame.HasAlpha() ? WebPPictureImportRGBA(&picture, bytes, width_ * channels)
                                           : WebPPictureImportRGB(&picture, bytes, width_ * channels);
    const bool added = imported && WebPAnimEncoderAdd(encoder_, &picture, Timestamp(frames_), &config);
    WebPPictureFree(&picture);
    frames_ += added;
    return added;
}

std::string WebpAnimation::Finish()
{
    if (!encoder_ || frames_ == 0 || !WebPAnimEncoderAdd(encoder_, nullptr, Timestamp(frames_), nullptr))
        return {};
    WebPData data;
    WebPDataInit(&data);
    std::string file;
    if (WebPAnimEncoderAssemble(encoder_, &data))
        file.assign(reinterpret_cast<const char*>(data.bytes), data.size);
    WebPDataClear(&data);
    return file;
}

} // namespace zephyra
