// Writes the shell files of `zephyra` from its option tables: `zephyra_docs man FILE` the manual
// page, `zephyra_docs bash FILE` the bash completion. Run by the build.
#include "BashCompletion.h"
#include "ManPage.h"
#include "Version.h"

#include <cstring>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "man") != 0 && std::strcmp(argv[1], "bash") != 0)) {
        std::cerr << "usage: zephyra_docs man|bash FILE\n";
        return 2;
    }
    std::ofstream out(argv[2]);
    if (std::strcmp(argv[1], "man") == 0)
        zephyra::cli::WriteManPage(out, zephyra::VERSION);
    else
        zephyra::cli::WriteBashCompletion(out);
    out.close();
    if (!out) {
        std::cerr << "zephyra_docs: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
