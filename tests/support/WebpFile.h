#pragma once
#include <webp/demux.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace zephyra::testing {

// An animated WebP as libwebp's decoder reads it: the canvas, the loop count, the frames the file
// declares and those that decode, and the first frame's RGBA pixels, row by row.
struct WebpFile {
    unsigned width = 0, height = 0, loops = 0, declaredFrames = 0;
    int decodedFrames = 0;
    std::vector<std::uint8_t> firstFrame;
};

// Nothing for a file that libwebp cannot read as an animation.
inline std::optional<WebpFile> ReadWebpFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return std::nullopt;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return std::nullopt;
    std::optional<WebpFile> file;
    WebPAnimInfo info;
    if (WebPAnimDecoderGetInfo(decoder, &info)) {
        file = WebpFile{info.canvas_width, info.canvas_height, info.loop_count, info.frame_count, 0, {}};
        std::uint8_t* pixels = nullptr;
        int timestamp = 0;
        while (WebPAnimDecoderHasMoreFrames(decoder) && WebPAnimDecoderGetNext(decoder, &pixels, &timestamp))
            if (++file->decodedFrames == 1)
                file->firstFrame.assign(pixels,
                                        pixels + std::size_t{info.canvas_width} * info.canvas_height * 4);
    }
    WebPAnimDecoderDelete(decoder);
    return file;
}

} // namespace zephyra::testing
