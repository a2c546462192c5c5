#pragma once
#include "Subcommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace zephyra::cli {

// What one command line gave: the exit code and both streams.
struct Result {
    int code;
    std::string out, err;
};

inline Result RunZephyra(const std::vector<std::string>& arguments)
{
    std::ostringstream out, err;
    CommandIo io{out, err};
    const int code = RunCommandLine(arguments, io);
    return {code, out.str(), err.str()};
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace zephyra::cli
