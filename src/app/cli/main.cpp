#include "Subcommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    zephyra::cli::CommandIo io{std::cout, std::cerr};
    const int code = zephyra::cli::RunCommandLine(arguments, io);
    std::cout.flush();
    return code;
}
