// URL parts and header values over random texts: hosts come back in lower
// case (ASCII letters outside two-byte characters), paths start with "/", ports are never negative.
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/fuzz_input.h"
#include "net/url_parts.h"
#include "text/search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using jixia::fuzz::Check;
  jixia::fuzz::FuzzInput in(data, size);
  std::string url = in.Text();
  std::string line = in.Text();
  bool mainDomain = in.Flag();
  bool keepPort = in.Flag();
  int levels = in.Int() % 50;  // no caller gives levels; keep the loop short

  for (const std::optional<int>& n : {std::optional<int>(), std::optional<int>(levels)}) {
    std::string host = jixia::UrlHost(url, mainDomain, keepPort, n);
    Check(jixia::AsciiLower(host) == host, "UrlHost kept an upper-case letter");
  }
  Check(jixia::UrlPort(url) >= 0, "UrlPort negative");
  Check(jixia::UrlPath(url).starts_with("/"), "UrlPath does not start with a slash");
  std::string value = jixia::HeaderValue(line);
  Check(value.size() <= line.size(), "HeaderValue longer than its line");
  return 0;
}
