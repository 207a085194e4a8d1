#pragma once
// The fuzz targets' invariant check: a broken invariant aborts, which libFuzzer reports as a
// crash together with the input that caused it.

#include <cstdio>
#include <cstdlib>

namespace torvik::fuzz {

inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace torvik::fuzz
