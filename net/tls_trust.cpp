#include "net/tls_trust.h"

#include <mutex>
#include <utility>

namespace jixia {
namespace {

std::mutex& TrustMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& ExtraCaPath() {
  static std::string path;
  return path;
}

}  // namespace

void SetExtraCaFile(std::string pemPath) {
  std::lock_guard lock(TrustMutex());
  ExtraCaPath() = std::move(pemPath);
}

std::string ExtraCaFile() {
  std::lock_guard lock(TrustMutex());
  return ExtraCaPath();
}

}  // namespace jixia
