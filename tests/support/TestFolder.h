#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace zephyra::testing {

// A folder under the system's temporary folder named after the running test and this process, so
// two test runs at once (two build folders, ctest -j) never share or remove each other's files.
inline std::filesystem::path TestFolder(const std::string& prefix)
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::temp_directory_path() / ("zephyra-" + prefix + "-" + info->test_suite_name() +
                                                     "-" + info->name() + "-" + std::to_string(::getpid()));
}

} // namespace zephyra::testing
