#include "PngFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>

#include <png.h>

namespace zephyra {

namespace {

constexpr double METRES_AN_INCH = 0.0254;

// Fast deflate: density pictures are mostly smooth or empty and compress well at any level; the
// higher levels cost seconds on a poster for a few per cent.
constexpr int COMPRESSION_LEVEL = 3;
// One filter for every row: trying all five a row and keeping the best took three times as long
// as the deflate itself, for files 1 to 2 % smaller than the difference to the left alone gives.
constexpr int ROW_FILTER = PNG_FILTER_SUB;

void AppendBytes(png_structp png, png_bytep data, png_size_t size)
{
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    try {
        out->append(reinterpret_cast<const char*>(data), size);
    } catch (...) {
        png_error(png, "out of memory");
    }
}

void NoFlush(png_structp) {}

// libpng reports errors with longjmp: the calls stay in these small functions, which own no
// objects with destructors.
bool StartWrite(png_structp png, png_infop info, std::string* out, const PngLayout& layout,
                std::vector<png_text>& chunks)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_compression_level(png, COMPRESSION_LEVEL);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, ROW_FILTER);
    png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width), static_cast<png_uint_32>(layout.height),
                 layout.depth, layout.alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.dotsPerInch > 0) {
        const auto perMetre = static_cast<png_uint_32>(std::lround(layout.dotsPerInch / METRES_AN_INCH));
        png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    }
    if (!chunks.empty())
        png_set_text(png, info, chunks.data(), static_cast<int>(chunks.size()));
    png_write_info(png, info);
    if (layout.depth == 16)
        png_set_swap(png); // samples in memory are in the machine's order, PNG's are big-endian
    return true;
}

bool WriteRow(png_structp png, const std::uint8_t* row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_write_row(png, row);
    return true;
}

bool EndWrite(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_write_end(png, info);
    return true;
}

} // namespace

struct PngEncoder::State {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string bytes;
    std::vector<std::string> keys, texts; // kept alive for libpng
    std::vector<png_text> chunks;
    bool failed = false;
};

PngEncoder::PngEncoder(const PngLayout& layout, const std::vector<PngText>& texts)
    : state_(std::make_unique<State>())
{
    State& s = *state_;
    s.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    s.info = s.png ? png_create_info_struct(s.png) : nullptr;
    for (const PngText& t : texts) {
        s.keys.push_back(t.key);
        s.texts.push_back(t.text);
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        png_text chunk{};
        chunk.compression = PNG_ITXT_COMPRESSION_NONE;
        chunk.key = s.keys[i].data();
        chunk.text = s.texts[i].data();
        chunk.itxt_length = s.texts[i].size();
        chunk.lang = nullptr;
        chunk.lang_key = nullptr;
        s.chunks.push_back(chunk);
    }
    PngLayout checked = layout;
    checked.depth = layout.depth == 16 ? 16 : 8;
    s.failed = !s.info || layout.width < 1 || layout.height < 1 ||
               !StartWrite(s.png, s.info, &s.bytes, checked, s.chunks);
}

PngEncoder::~PngEncoder()
{
    if (state_->png)
        png_destroy_write_struct(&state_->png, &state_->info);
}

void PngEncoder::AddRow(const std::uint8_t* row)
{
    if (!state_->failed)
        state_->failed = !WriteRow(state_->png, row);
}

void PngEncoder::AddRows(const Picture& strip)
{
    for (int y = 0; y < strip.Height(); ++y)
        AddRow(strip.Row(y));
}

std::string PngEncoder::Finish()
{
    State& s = *state_;
    if (s.failed || !EndWrite(s.png, s.info))
        return {};
    return std::move(s.bytes);
}

std::string EncodePng(const Picture& picture, const std::vector<PngText>& texts, int dotsPerInch)
{
    PngEncoder encoder({picture.Width(), picture.Height(), picture.Depth(), picture.HasAlpha(), dotsPerInch},
                       texts);
    encoder.AddRows(picture);
    return encoder.Finish();
}

std::string WritePngFile(const std::filesystem::path& path, std::string_view bytes)
{
    if (bytes.empty())
        return "the picture could not be encoded";
    return WriteFileSayingWhy(path, bytes);
}

namespace {

// A record and its settings are a few KB: no chunk of ours comes near this, and the length a chunk
// claims must not become an allocation before its bytes are seen.
constexpr png_alloc_size_t LARGEST_CHUNK = 1 << 20;
constexpr png_uint_32 MOST_ANCILLARY_CHUNKS = 1000;
// Deflate cannot shrink data by more than about 1032 to 1: a header whose rows would need more
// than this many bytes of the file for each is no picture, and its rows are not allocated.
constexpr std::uint64_t LARGEST_DEFLATE_RATIO = 1032;

// libpng only warns about a chunk past its chunk limit and then allocates the chunk's length all
// the same: the reader's allocations are held to the limit here.
png_voidp LimitedMalloc(png_structp, png_alloc_size_t size)
{
    return size > LARGEST_CHUNK ? nullptr : std::malloc(size);
}

void LimitedFree(png_structp, png_voidp data)
{
    std::free(data);
}

// The caller says once that a file cannot be read; libpng's own texts would only add to that.
void QuietError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

struct ReadCursor {
    std::ifstream* in;
    std::uint64_t fileBytes;
};

void ReadBytes(png_structp png, png_bytep data, png_size_t size)
{
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (!cursor->in->read(reinterpret_cast<char*>(data), static_cast<std::streamsize>(size)))
        png_error(png, "truncated");
}

// Whether the rows the header asks for can come from a file of `fileBytes`.
bool PlausibleSize(png_structp png, png_infop info, std::uint64_t fileBytes)
{
    const std::uint64_t raw = static_cast<std::uint64_t>(png_get_image_height(png, info)) *
                              (static_cast<std::uint64_t>(png_get_rowbytes(png, info)) + 1);
    return raw / LARGEST_DEFLATE_RATIO <= fileBytes;
}

// False for a file that is no PNG or, when `pixels`, whose rows its size cannot hold.
bool ReadHeader(png_structp png, png_infop info, ReadCursor* cursor, bool pixels)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, cursor, ReadBytes);
    png_set_chunk_malloc_max(png, LARGEST_CHUNK);
    png_set_chunk_cache_max(png, MOST_ANCILLARY_CHUNKS);
    png_read_info(png, info);
    if (!pixels)
        return true;
    if (!PlausibleSize(png, info, cursor->fileBytes))
        return false;
    // Any PNG becomes RGB or RGBA at its own depth (8 or 16): palettes and transparent colours
    // expand, gray is spread.
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    if (png_get_bit_depth(png, info) < 8)
        png_set_packing(png);
    if (png_get_bit_depth(png, info) == 16)
        png_set_swap(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadRows(png_structp png, png_infop info, std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows.data());
    png_read_end(png, info);
    return true;
}

void CollectTexts(png_structp png, png_infop info, std::vector<PngText>& texts)
{
    png_textp chunks = nullptr;
    const int n = png_get_text(png, info, &chunks, nullptr);
    for (int i = 0; i < n; ++i)
        texts.push_back(
            {chunks[i].key, std::string(chunks[i].text, chunks[i].compression > 0 ? chunks[i].itxt_length
                                                                                  : chunks[i].text_length)});
}

} // namespace

bool IsPngFile(const std::filesystem::path& path)
{
    // A FIFO or device would block the open; only a regular file can be a picture.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    png_byte signature[8] = {};
    in.read(reinterpret_cast<char*>(signature), sizeof signature);
    return in && png_sig_cmp(signature, 0, sizeof signature) == 0;
}

std::optional<DecodedPng> ReadPng(const std::filesystem::path& path, bool pixels)
{
    if (!IsPngFile(path))
        return std::nullopt;
    std::error_code error;
    const std::uint64_t fileBytes = std::filesystem::file_size(path, error);
    // Read as libpng asks: the texts before the pixels cost no more than their own bytes.
    std::ifstream in(path, std::ios::binary);
    ReadCursor cursor{&in, fileBytes};
    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning,
                                               nullptr, LimitedMalloc, LimitedFree);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::optional<DecodedPng> result;
    if (info && !error && ReadHeader(png, info, &cursor, pixels)) {
        DecodedPng decoded;
        bool ok = true;
        if (pixels) {
            try {
                const int depth = png_get_bit_depth(png, info) == 16 ? 16 : 8;
                decoded.picture = Picture(static_cast<int>(png_get_image_width(png, info)),
                                          static_cast<int>(png_get_image_height(png, info)), depth,
                                          png_get_channels(png, info));
            } catch (const std::bad_alloc&) {
                ok = false;
            }
            std::vector<png_bytep> rows(static_cast<std::size_t>(decoded.picture.Height()));
            for (int y = 0; y < decoded.picture.Height(); ++y)
                rows[static_cast<std::size_t>(y)] = decoded.picture.Row(y);
            ok = ok && ReadRows(png, info, rows);
        }
        CollectTexts(png, info, decoded.texts);
        if (ok)
            result = std::move(decoded);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

} // namespace zephyra
