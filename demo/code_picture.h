// Verification pictures of the account service: a short code drawn into a
// small picture with some noise, encoded as PNG.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace jixia::demo {

// The characters a code is made of: digits and capital letters that cannot be
// mistaken for one another (no 0, 1, I, O).
inline constexpr std::string_view kCodeAlphabet = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";

// PNG bytes of a width x height RGB picture showing `code` (characters of
// kCodeAlphabet; others are left blank). `noiseSeed` varies the colours,
// the placement and the noise. Empty on an encoder failure.
std::string DrawCodePicture(std::string_view code, int width, int height, uint64_t noiseSeed);

}  // namespace jixia::demo
