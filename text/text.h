// Shared text types of the program.
#pragma once

#include <string>

namespace jixia {

// A GBK (code page 936) byte string. Positions exposed by the text procedures
// are 1-based byte positions; a byte of 0x80 or above starts a two-byte character.
using Text = std::string;

// A counted byte buffer: request and response bodies, pictures. May hold NUL bytes.
using Bytes = std::string;

}  // namespace jixia
