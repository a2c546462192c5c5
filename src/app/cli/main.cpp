#include "Subcommand.h"

#include <iostream>

#include <unistd.h>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    zephyra::cli::CommandIo io{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    const int code = zephyra::cli::RunCommandLine(arguments, io);
    std::cout.flush();
    return code;
}
