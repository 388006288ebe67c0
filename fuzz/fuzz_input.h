// Splits one fuzzer input into the arguments of a call. Arguments are
// separated by NUL bytes, so corpus files stay readable and every text
// argument is, like the program's own texts, free of NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace jixia::fuzz {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  // The bytes up to the next NUL (or the end); empty when used up.
  std::string Text() {
    size_t end = rest_.find('\0');
    std::string piece(rest_.substr(0, end));
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    return piece;
  }

  // The next argument read as a signed decimal number, clamped to +-1e6 so
  // positions stay near the texts; 0 when it holds no digit.
  int Int() {
    std::string piece = Text();
    size_t i = 0;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '-' || piece[i] == '+')) negative = piece[i++] == '-';
    long long value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
      value = value * 10 + (piece[i] - '0');
      if (value > 1000000) value = 1000000;
    }
    return static_cast<int>(negative ? -value : value);
  }

  // True when the next argument is not empty.
  bool Flag() { return !Text().empty(); }

  // Everything not yet taken, NUL bytes included.
  std::string Rest() {
    std::string all(rest_);
    rest_ = {};
    return all;
  }

 private:
  std::string_view rest_;
};

// Ends the run with a message when an invariant of the code under test fails;
// the fuzzer reports the input that led there.
[[noreturn]] void Fail(const char* what);

inline void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

}  // namespace jixia::fuzz
