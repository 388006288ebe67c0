#include "app/window_geometry.h"

namespace jixia {

WindowRect CentredRect(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

WindowRect FirstPanelRect(const WindowRect& created) {
  WindowRect placed = created;
  placed.width = 320;
  placed.height = 640;
  placed.left = static_cast<int>(created.left + placed.width / 1.34);
  placed.top = static_cast<int>(placed.left / 4.0);
  return placed;
}

std::vector<WindowRect> GrowthSteps(const WindowRect& start) {
  std::vector<WindowRect> steps;
  WindowRect r = start;
  for (int i = 1; i <= 31; ++i) {
    r.width += i;
    r.left = static_cast<int>(r.left - i / 2.0);
    r.height = 465 + i;
    steps.push_back(r);
  }
  return steps;
}

}  // namespace jixia
