// Cookie collection over random header blocks and the merge over random
// cookie texts: the merge writes its result into the sent text, leaves the
// received text blank-free and keeps no item twice.
#include <cstdint>
#include <set>
#include <string>

#include "fuzz/fuzz_input.h"
#include "net/cookies.h"
#include "text/search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using jixia::fuzz::Check;
  jixia::fuzz::FuzzInput in(data, size);
  std::string block = in.Text();
  std::string sent = in.Text();
  std::string received = in.Text();

  std::string collected = jixia::CollectCookies(block);
  std::string fromBlock = collected;
  std::string merged = jixia::CookieMerge(sent, received);
  Check(merged == sent, "CookieMerge result differs from the rewritten cookie text");
  Check(jixia::RemoveBlanks(received) == received, "incoming text kept a blank");
  std::set<std::string> seen;
  for (const std::string& item : jixia::SplitText(merged, "; ")) {
    Check(seen.insert(item).second, "merged text holds an item twice");
  }
  jixia::CookieMerge(merged, fromBlock);
  return 0;
}
