#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_input.h"

namespace jixia::fuzz {

void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace jixia::fuzz
