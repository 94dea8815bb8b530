#pragma once

#include <cstdio>
#include <cstdlib>

// What must hold for every input. Unlike assert it stays in every build type, and it aborts
// so that libFuzzer keeps the input and a replay fails.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
