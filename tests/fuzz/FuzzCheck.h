#pragma once
#include <cstdio>
#include <cstdlib>

// A broken invariant in a fuzz entry: say which and abort, which libFuzzer and ctest both report.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition);           \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
