// Process-wide TLS trust. Certificates are always verified against the
// system's trusted CAs; an extra PEM file can add CAs (the demo sites' CA in
// the default build, a test CA in tests).
#pragma once

#include <string>

namespace jixia {

// Sets the extra CA file; empty for none. The program calls it once at start
// with the build-time value.
void SetExtraCaFile(std::string pemPath);

// The extra CA file in use, empty for none.
std::string ExtraCaFile();

}  // namespace jixia
