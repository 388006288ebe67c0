// A small deterministic random source: the same seed gives the same pages on
// every run and every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace jixia::demo {

class SeededRandom {
 public:
  explicit SeededRandom(uint64_t seed) : state_(seed) {}

  // A seed made of a base seed and further numbers (site, board, page ...).
  static SeededRandom For(uint64_t seed, std::initializer_list<uint64_t> parts) {
    SeededRandom mixer(seed);
    uint64_t mixed = mixer.Next();
    for (uint64_t part : parts) {
      mixer.state_ ^= part * 0x9E3779B97F4A7C15ULL;
      mixed ^= mixer.Next();
    }
    return SeededRandom(mixed);
  }

  // splitmix64.
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // A whole number from lo to hi, both included.
  int Between(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
  }

  // True in about `percent` of the calls.
  bool Chance(int percent) { return Between(1, 100) <= percent; }

  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Next() % N];
  }

 private:
  uint64_t state_;
};

}  // namespace jixia::demo
