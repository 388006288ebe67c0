// The cleaning steps of every field rule of every listing source over a
// random captured value, which the patterns alone would rarely produce.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "listing/clean_steps.h"
#include "listing/source_table.h"

namespace {

const std::vector<jixia::ListingSource>& Sources() {
  static const std::vector<jixia::ListingSource> sources = jixia::BuildSourceTable(
      {"a.test", "b.test", "c.test", "d1.test", "d2.test", "d3.test", "d4.test"});
  return sources;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  jixia::fuzz::FuzzInput in(data, size);
  std::string value = in.Text();
  for (const jixia::ListingSource& source : Sources())
    for (const jixia::FieldRule& rule : source.fields) jixia::ApplySteps(rule.steps, value);
  return 0;
}
