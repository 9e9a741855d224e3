// The fuzz targets' check of a promise the code makes about every input.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace kavrel::fuzzing {

// A broken promise: say which, then abort so that libFuzzer keeps the input.
inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fputs(what, stderr);
    std::fputs("\n", stderr);
    std::abort();
  }
}

}  // namespace kavrel::fuzzing
