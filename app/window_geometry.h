// The entry window's arithmetic: where it is created, where its first panel
// goes, and the steps by which it grows into the frame. Pure functions over
// integer pixels; reals are truncated toward zero.
#pragma once

#include <vector>

namespace jixia {

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

// The entry window's design size.
inline constexpr int kEntryDesignWidth = 800;
inline constexpr int kEntryDesignHeight = 501;

// A window of width x height centred on a screen of the given size:
// left = (screenWidth - width) / 2, top = (screenHeight - height) / 2.
WindowRect CentredRect(int screenWidth, int screenHeight, int width, int height);

// The first panel's place after the check: 320 x 640, left moved right by
// 320 / 1.34, top a quarter of that new left. `created` is where the window
// was created.
WindowRect FirstPanelRect(const WindowRect& created);

// The window after each of the 31 growth steps from `start`: step i widens by
// i, moves left by i / 2 (truncated on reals) and sets the height to 465 + i.
std::vector<WindowRect> GrowthSteps(const WindowRect& start);

// The frame's final size, set after the last growth step.
inline constexpr int kFrameWidth = 800;
inline constexpr int kFrameHeight = 500;

}  // namespace jixia
