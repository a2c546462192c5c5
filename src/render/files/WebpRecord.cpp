#include "WebpRecord.h"

#include <webp/mux.h>

#include <array>
#include <cstdint>
#include <fstream>

namespace zephyra {

namespace {

constexpr char TEXTS_CHUNK[] = "ZREC";
// A record and its settings are a few KB; the length a chunk claims is not allocated past this.
constexpr std::uint32_t LARGEST_TEXTS = 1 << 20;
constexpr std::size_t RIFF_HEADER = 12; // "RIFF", the length, "WEBP"
constexpr std::size_t CHUNK_HEADER = 8; // the id and the length
constexpr std::size_t HEADER_BLOCK = std::size_t{1} << 16;

std::uint32_t LittleEndian(const char* bytes)
{
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value << 8 | static_cast<std::uint8_t>(bytes[k]);
    return value;
}

// Key, NUL, text, NUL, ...; nothing for a chunk that does not end its last text.
std::optional<std::vector<PngText>> ParseTexts(const std::string& chunk)
{
    std::vector<PngText> texts;
    std::size_t at = 0;
    while (at < chunk.size()) {
        const std::size_t keyEnd = chunk.find('\0', at);
        const std::size_t textEnd = keyEnd == std::string::npos ? keyEnd : chunk.find('\0', keyEnd + 1);
        if (textEnd == std::string::npos)
            return std::nullopt;
        texts.push_back({chunk.substr(at, keyEnd - at), chunk.substr(keyEnd + 1, textEnd - keyEnd - 1)});
        at = textEnd + 1;
    }
    return texts;
}

} // namespace

std::string WithWebpTexts(const std::string& webp, const std::vector<PngText>& texts)
{
    if (texts.empty())
        return webp;
    std::string chunk;
    for (const PngText& t : texts)
        chunk.append(t.key).append(1, '\0').append(t.text).append(1, '\0');
    const WebPData file{reinterpret_cast<const std::uint8_t*>(webp.data()), webp.size()};
    WebPMux* mux = WebPMuxCreate(&file, 0);
    if (!mux)
        return {};
    const WebPData data{reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size()};
    WebPData assembled;
    WebPDataInit(&assembled);
    std::string result;
    if (WebPMuxSetChunk(mux, TEXTS_CHUNK, &data, 0) == WEBP_MUX_OK &&
        WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK)
        result.assign(reinterpret_cast<const char*>(assembled.bytes), assembled.size);
    WebPDataClear(&assembled);
    WebPMuxDelete(mux);
    return result;
}

bool IsWebpFile(const std::filesystem::path& path)
{
    // A FIFO or device would block the open; only a regular file can be a picture.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    std::array<char, RIFF_HEADER> header{};
    in.read(header.data(), header.size());
    return in && std::string_view(header.data(), 4) == "RIFF" &&
           std::string_view(header.data() + 8, 4) == "WEBP";
}

std::optional<std::vector<PngText>> ReadWebpTexts(const std::filesystem::path& path)
{
    if (!IsWebpFile(path))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    // The chunk headers are read in blocks: one read or seek each would take seconds for a file of
    // millions of tiny chunks.
    std::vector<char> block(HEADER_BLOCK);
    std::uint64_t blockStart = 0, blockEnd = 0; // the file's bytes that `block` holds
    const auto load = [&](std::uint64_t offset) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        blockStart = offset;
        blockEnd = offset + static_cast<std::uint64_t>(in.gcount());
    };
    // The chunks follow each other, each padded to an even length; the frames are passed over.
    for (std::uint64_t at = RIFF_HEADER;;) {
        if (at + CHUNK_HEADER > blockEnd)
            load(at);
        if (at + CHUNK_HEADER > blockEnd)
            break;
        const char* header = block.data() + (at - blockStart);
        const std::uint32_t length = LittleEndian(header + 4);
        if (std::string_view(header, 4) != TEXTS_CHUNK) {
            at += CHUNK_HEADER + length + (length & 1);
            continue;
        }
        if (length > LARGEST_TEXTS)
            return std::nullopt;
        std::string chunk(length, '\0');
        in.clear();
        in.seekg(static_cast<std::streamoff>(at + CHUNK_HEADER));
        if (!in.read(chunk.data(), length))
            return std::nullopt;
        return ParseTexts(chunk);
    }
    return std::vector<PngText>{};
}

} // namespace zephyra
