// A listing source: one row of the fixed source table, pure data. The rows of
// every site family live in listing/sources/, one file a family.
#pragma once

#include <optional>
#include <vector>

#include "text/text.h"

namespace jixia {

// One cleaning operation on the current value of a field. Every search is
// case-sensitive and starts at the first character (text/markers.h).
struct CleanStep {
  enum class Kind { ReplaceAll, KeepBefore, KeepAfterLast, KeepBetween, IfContains };
  Kind kind;
  Text first;                        // find / marker / left / probe
  Text second;                       // with / right
  std::vector<CleanStep> then;       // IfContains: steps when the probe occurs
  std::vector<CleanStep> otherwise;  // IfContains: steps when it does not
};

CleanStep ReplaceAll(Text find, Text with);
CleanStep KeepBefore(Text marker);
CleanStep KeepAfterLast(Text marker);
CleanStep KeepBetween(Text left, Text right);
CleanStep IfContains(Text probe, std::vector<CleanStep> then, std::vector<CleanStep> otherwise);

enum class From { Main, Pair };

// How one column of a row is obtained.
struct FieldRule {
  From from;
  int group;                     // 1-based capture group of that pattern's match
  std::vector<CleanStep> steps;  // applied in order
  int column;                    // 0-based target column; 0 is the sequence number
  bool viaCaption = false;       // value goes through the window caption
};

struct ListingSource {
  Text site;                      // outer tab caption (GBK)
  Text board;                     // inner page caption (GBK)
  Text listView;                  // control name of the report list (GBK)
  Text pageCountBox;              // control name; empty for a single-page source
  Text progressBar;               // control name; empty when the source has none
  Text urlPrefix;                 // scheme, host and path up to the page number
  Text urlSuffix;                 // after the page number
  std::optional<Text> cutMarker;  // parse only what follows its last occurrence
  bool parseLastOnly = false;     // request pages 1..N, parse only the last
  Text mainPattern;               // one match per row
  std::optional<Text> pairPattern;  // match i read together with main match i
  std::vector<FieldRule> fields;
  int openColumn = 0;             // column a double-click opens
  Text openPrefix;                // put in front of that column's text
  bool emptyNotice = false;       // double-click on an empty list shows "空"
  bool opensOnDoubleClick = true;  // false: the list reacts to no double-click
};

}  // namespace jixia
