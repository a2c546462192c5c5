#pragma once
#include "CZephyraDoc.h"
#include "FakeHost.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

namespace zephyra::testing {

// Makes every write beyond `bytes` fail for the scope (as a full disk would), also for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*handler_)(int);
};

// A fresh folder per test, a host and a document without a configuration store.
class PersistenceTest : public ::testing::Test {
protected:
    PersistenceTest()
    {
        folder = TestFolder("document");
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        doc->SetObserver(&host);
    }
    ~PersistenceTest() override
    {
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(folder, ignored);
    }

    static std::string ReadText(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void WriteText(const std::filesystem::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::filesystem::path folder;
    FakeHost host;
    std::unique_ptr<CZephyraDoc> doc = std::make_unique<CZephyraDoc>(host, nullptr, 1);
};

constexpr const char* HENON = "EWM?MPMMWMMMM";

} // namespace zephyra::testing
