#include "FuzzEntries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zephyra::fuzz {

namespace {

struct Target {
    const char* folder; // under the corpus folder
    int (*entry)(const std::uint8_t*, std::size_t);
};

const Target TARGETS[] = {
    {"attractor_code", FuzzAttractorCode},
    {"configuration", FuzzConfiguration},
    {"document", FuzzDocument},
    {"picture", FuzzPicture},
    {"command_line", FuzzCommandLine},
};

std::vector<std::filesystem::path> CorpusFiles(const char* folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(ZEPHYRA_FUZZ_CORPUS) / folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class CorpusReplay : public ::testing::TestWithParam<Target> {};

// Every seed and every input a fuzzer once crashed on goes through its entry again; a broken
// invariant aborts the program, so ctest reports it with the file's name printed last.
TEST_P(CorpusReplay, EveryFileRunsThrough)
{
    const std::vector<std::filesystem::path> files = CorpusFiles(GetParam().folder);
    ASSERT_FALSE(files.empty()) << GetParam().folder;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "replaying %s\n", file.c_str());
        EXPECT_EQ(0, GetParam().entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay, ::testing::ValuesIn(TARGETS),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.folder);
                         });

} // namespace

} // namespace zephyra::fuzz
