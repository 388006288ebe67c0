// The columns of every report list of the main window (caption and width).
#pragma once

#include <vector>

#include "text/text.h"

namespace jixia {

struct ListColumn {
  Text caption;  // GBK
  int width;     // pixels
};

// Columns of the list named `listView` (control name, GBK, e.g. "超级列表框1");
// empty for an unknown name.
std::vector<ListColumn> ListColumns(const Text& listView);

}  // namespace jixia
