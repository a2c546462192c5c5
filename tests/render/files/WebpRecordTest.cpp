#include "WebpRecord.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace zephyra {
namespace {

struct WebpRecordFixture : ::testing::Test {
    std::filesystem::path dir = zephyra::testing::TestFolder("webp-record");
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A WebP container holding one chunk `id` that claims `length` bytes and has `bytes`.
    std::filesystem::path Container(const std::string& name, const std::string& id, std::uint32_t length,
                                    const std::string& bytes) const
    {
        std::string body = "WEBP" + id;
        for (int k = 0; k < 4; ++k)
            body.push_back(static_cast<char>(length >> (8 * k)));
        body += bytes;
        std::string file = "RIFF";
        for (int k = 0; k < 4; ++k)
            file.push_back(static_cast<char>(body.size() >> (8 * k)));
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << file << body;
        return path;
    }
};

// The record is read from files anyone may hand over: a length it claims is never allocated, and a
// damaged chunk gives no record rather than part of one.
TEST_F(WebpRecordFixture, DamagedRecordsAreRefusedAndOthersPassedOver)
{
    const std::string record = std::string("zephyra:attractor\0<a/>\0", 23);
    const auto whole = ReadWebpTexts(Container("whole.webp", "ZREC", 23, record));
    ASSERT_TRUE(whole);
    ASSERT_EQ(whole->size(), 1u);
    EXPECT_EQ((*whole)[0].key, "zephyra:attractor");
    EXPECT_EQ((*whole)[0].text, "<a/>");

    EXPECT_FALSE(ReadWebpTexts(Container("huge.webp", "ZREC", 0x7FFFFFF0u, record)));
    EXPECT_FALSE(ReadWebpTexts(Container("cut.webp", "ZREC", 40, record)));
    EXPECT_FALSE(ReadWebpTexts(Container("open.webp", "ZREC", 20, record.substr(0, 20))));
    // Another chunk, odd in length, is stepped over with its padding: no record, but a WebP.
    const auto other = ReadWebpTexts(Container("other.webp", "EXIF", 3, std::string("abc\0", 4)));
    ASSERT_TRUE(other);
    EXPECT_TRUE(other->empty());
    std::ofstream(dir / "notes.webp") << "not a picture";
    EXPECT_FALSE(ReadWebpTexts(dir / "notes.webp"));
    EXPECT_FALSE(ReadWebpTexts(dir / "missing.webp"));
}

} // namespace
} // namespace zephyra
