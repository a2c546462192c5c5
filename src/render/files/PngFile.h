#pragma once
#include "Picture.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra {

// PNG pictures through libpng: compressed RGB or RGBA, 8 or 16 bits a channel, with international
// text chunks and the print resolution before the pixels. Files are written only whole, through
// the atomic writer.

struct PngText {
    std::string key;
    std::string text;
};

// What a PNG holds besides its texts.
struct PngLayout {
    int width = 0;
    int height = 0;
    int depth = 8;       // bits a channel, 8 or 16
    bool alpha = false;  // RGBA, the colour not premultiplied, rather than RGB
    int dotsPerInch = 0; // the size it prints at, stored as pixels a metre; 0: none stored
};

// Encodes a picture row by row into memory, so that a picture made in strips never has to exist
// in one piece.
class PngEncoder {
public:
    PngEncoder(const PngLayout& layout, const std::vector<PngText>& texts);
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // The next rows, top-down, in the encoder's width, depth and channels.
    void AddRows(const Picture& strip);
    void AddRow(const std::uint8_t* row);
    // The whole file once every row is in; empty when encoding failed.
    [[nodiscard]] std::string Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

[[nodiscard]] std::string EncodePng(const Picture& picture, const std::vector<PngText>& texts,
                                    int dotsPerInch = 0);

// Writes the bytes through the atomic writer; an empty text on success, else what went wrong.
[[nodiscard]] std::string WritePngFile(const std::filesystem::path& path, std::string_view bytes);

struct DecodedPng {
    Picture picture; // empty when only the texts were asked for
    std::vector<PngText> texts;
};
// Reads a PNG file's text chunks and, when `pixels`, its pixels as RGB, or RGBA for one with
// transparency; nothing for a file that is missing or no PNG.
[[nodiscard]] std::optional<DecodedPng> ReadPng(const std::filesystem::path& path, bool pixels);
// Whether the file starts with the PNG signature.
[[nodiscard]] bool IsPngFile(const std::filesystem::path& path);

} // namespace zephyra
