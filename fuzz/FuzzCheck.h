#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run with a message when an invariant of the code under test
// fails: the fuzzer records the input as a crash, the replay program fails.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
