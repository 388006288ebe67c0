// Writing the source rows' texts and field rules as their tables show them.
#pragma once

#include <string_view>
#include <vector>

#include "listing/listing_source.h"

namespace jixia::rows {

// A pattern written in UTF-8 with every backslash its own, except that the
// two-character sequences \r and \n stand for CR and LF. Returns GBK.
Text Pattern(std::string_view utf8);

// A UTF-8 text taken byte for byte (captions, markers, probes, and the one
// pattern whose \n is the regular-expression escape). Returns GBK.
Text Literal(std::string_view utf8);

// One field rule, in the column order of the source tables.
FieldRule Rule(int column, From from, int group, std::vector<CleanStep> steps = {});

// A rule whose value passes through the window caption.
FieldRule CaptionRule(int column, From from, int group, std::vector<CleanStep> steps = {});

}  // namespace jixia::rows
