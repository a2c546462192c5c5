#include "WebpAnimation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cmath>

namespace zephyra {

namespace {
// What libwebp's animation encoder gives a canvas before the first frame: opaque white.
constexpr std::uint32_t BACKGROUND = 0xffffffff;

// The frame as one lossy WebP picture; empty when libwebp refuses it.
std::string EncodeFrame(const Picture& frame, float quality)
{
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture))
        return {};
    config.quality = quality;
    const int width = frame.Width(), height = frame.Height(), channels = frame.Channels();
    picture.width = width;
    picture.height = height;
    picture.use_argb = 1;
    std::vector<std::uint8_t> eightBits;
    const std::uint8_t* bytes = frame.Row(0);
    if (frame.Depth() != 8) { // 16-bit pictures are shown in 8 bits
        eightBits.resize(static_cast<std::size_t>(width) * height * channels);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < channels; ++c)
                    eightBits[(static_cast<std::size_t>(y) * width + x) * channels + c] =
                        static_cast<std::uint8_t>(std::lround(frame.Sample(x, y, c) * 255.0));
        bytes = eightBits.data();
    }
    WebPMemoryWriter writer;
    WebPMemoryWriterInit(&writer);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &writer;
    const bool imported = frame.HasAlpha() ? WebPPictureImportRGBA(&picture, bytes, width * channels)
                                           : WebPPictureImportRGB(&picture, bytes, width * channels);
    std::string encoded;
    if (imported && WebPEncode(&config, &picture))
        encoded.assign(reinterpret_cast<const char*>(writer.mem), writer.size);
    WebPPictureFree(&picture);
    WebPMemoryWriterClear(&writer);
    return encoded;
}
} // namespace

WebpAnimation::WebpAnimation(int width, int height, double fps, float quality)
    : width_(width), height_(height), fps_(fps), quality_(quality)
{
}

int WebpAnimation::Timestamp(int frame) const
{
    return static_cast<int>(std::lround(frame * 1000.0 / fps_));
}

bool WebpAnimation::Add(const Picture& frame)
{
    if (frame.Width() != width_ || frame.Height() != height_)
        return false;
    std::string encoded = EncodeFrame(frame, quality_);
    if (encoded.empty())
        return false;
    held_ += encoded.size();
    frames_.push_back(std::move(encoded));
    return true;
}

std::string WebpAnimation::Finish()
{
    WebPMux* mux = WebPMuxNew();
    if (!mux || frames_.empty()) {
        WebPMuxDelete(mux);
        return {};
    }
    const WebPMuxAnimParams loop{BACKGROUND, 0}; // 0: for ever
    bool pushed = WebPMuxSetCanvasSize(mux, width_, height_) == WEBP_MUX_OK &&
                  WebPMuxSetAnimationParams(mux, &loop) == WEBP_MUX_OK;
    for (std::size_t k = 0; k < frames_.size() && pushed; ++k) {
        // Each frame covers the whole canvas and replaces it, transparent pixels included.
        WebPMuxFrameInfo info{};
        info.bitstream = {reinterpret_cast<const std::uint8_t*>(frames_[k].data()), frames_[k].size()};
        info.duration = Timestamp(static_cast<int>(k) + 1) - Timestamp(static_cast<int>(k));
        info.id = WEBP_CHUNK_ANMF;
        info.dispose_method = WEBP_MUX_DISPOSE_NONE;
        info.blend_method = WEBP_MUX_NO_BLEND;
        pushed = WebPMuxPushFrame(mux, &info, 0) == WEBP_MUX_OK;
    }
    WebPData data;
    WebPDataInit(&data);
    const bool assembled = pushed && WebPMuxAssemble(mux, &data) == WEBP_MUX_OK;
    WebPMuxDelete(mux);
    frames_.clear();
    frames_.shrink_to_fit();
    held_ = 0;
    std::string file;
    if (assembled)
        file.assign(reinterpret_cast<const char*>(data.bytes), data.size);
    WebPDataClear(&data);
    return file;
}

} // namespace zephyra
