// What a fuzz target checks beyond the sanitizers: a broken promise aborts,
// so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK_MSG(condition, message)                                                            \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", __FILE__, __LINE__, #condition, \
                         message);                                                                    \
            std::abort();                                                                             \
        }                                                                                             \
    } while (0)

#define FUZZ_CHECK(condition) FUZZ_CHECK_MSG(condition, "")
