#include "StandardOutput.h"
#include "Subcommand.h"

#include <iostream>

#include <unistd.h>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    zephyra::cli::StandardOutput out;
    zephyra::cli::CommandIo io{out.Stream(), std::cerr, isatty(STDERR_FILENO) == 1};
    const int code = zephyra::cli::RunCommandLine(arguments, io);
    return out.Close(code, std::cerr);
}
