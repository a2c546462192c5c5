#include "FuzzFiles.h"

#include "FuzzCheck.h"

#include <fstream>
#include <iterator>

#include <unistd.h>

namespace zephyra::fuzz {

namespace {

// One folder per process, removed when the process ends normally.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::error_code error;
        const std::filesystem::path shm = "/dev/shm";
        const std::filesystem::path base =
            std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
        path = base / ("zephyra-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path path;
};

} // namespace

std::filesystem::path ScratchPath(const char* name)
{
    static const ScratchFolder folder;
    return folder.path / name;
}

void WriteBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(out.good());
}

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace zephyra::fuzz
