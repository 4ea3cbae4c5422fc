#pragma once
#include <cstdlib>

// An invariant of a fuzz target: a broken one aborts, which libFuzzer reports with its input.
inline void fuzzCheck(bool ok) {
    if (!ok) {
        std::abort();
    }
}
