// Applying the cleaning steps of a field rule to a captured value.
#pragma once

#include <vector>

#include "listing/listing_source.h"

namespace jixia {

// `value` (GBK) after each step in order. Searches are case-sensitive and
// start at the first character; a marker that does not occur gives the empty
// text as the step says. IfContains tests the value left by the steps before.
Text ApplySteps(const std::vector<CleanStep>& steps, Text value);

}  // namespace jixia
