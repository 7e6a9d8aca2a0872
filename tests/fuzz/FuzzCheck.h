#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a crash: say which one, then abort so libFuzzer keeps the
// input that broke it. (assert would vanish from a build with NDEBUG.)
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
