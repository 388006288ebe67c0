#include "app/window_geometry.h"

#include <gtest/gtest.h>

#include "app/date_label.h"
#include "text/codepage.h"

namespace jixia {
namespace {

TEST(EntryPlacement, CreatedCentredThenMovedByTheFirstPanelRule) {
  struct Case {
    int screenWidth, screenHeight;
    WindowRect created, placed;
  } const kCases[] = {
      {1920, 1080, {560, 289, 800, 501}, {798, 199, 320, 640}},
      {1366, 768, {283, 133, 800, 501}, {521, 130, 320, 640}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.screenWidth);
    const WindowRect created = CentredRect(c.screenWidth, c.screenHeight, 800, 501);
    EXPECT_EQ(created, c.created);
    EXPECT_EQ(FirstPanelRect(created), c.placed);
  }
}

TEST(EntryGrowth, ThirtyOneStepsWidenRaiseAndShiftLeft) {
  const WindowRect start{798, 199, 320, 640};
  const std::vector<WindowRect> steps = GrowthSteps(start);
  ASSERT_EQ(steps.size(), 31u);
  int left = start.left, width = start.width;
  for (int i = 1; i <= 31; ++i) {
    SCOPED_TRACE(i);
    width += i;
    left -= (i + 1) / 2;  // i / 2 on reals, truncated, while left stays positive
    EXPECT_EQ(steps[i - 1], (WindowRect{left, 199, width, 465 + i}));
  }
  EXPECT_EQ(steps.front().height, 466);
  EXPECT_EQ(steps.back(), (WindowRect{798 - 256, 199, 816, 496}));
}

TEST(EntryGrowth, TruncatesTowardZeroNearTheScreenEdge) {
  // 0 - 0.5 = -0.5 truncates to 0; 0 - 1 = -1; -1 - 1.5 = -2.5 -> -2; -2 - 2 = -4.
  const std::vector<WindowRect> steps = GrowthSteps({0, 0, 320, 640});
  EXPECT_EQ(steps[0].left, 0);
  EXPECT_EQ(steps[1].left, -1);
  EXPECT_EQ(steps[2].left, -2);
  EXPECT_EQ(steps[3].left, -4);
}

TEST(DateLabel, ShowsTimeDownToItsLastNonZeroPart) {
  struct Case {
    LocalTime time;
    const char* shown;
  } const kCases[] = {
      {{2019, 3, 5, 14, 7, 9}, "2019年3月5日14时7分9秒"},
      {{2019, 3, 5, 9, 30, 0}, "2019年3月5日9时30分"},
      {{2019, 3, 5, 0, 0, 0}, "2019年3月5日"},
      {{2019, 3, 5, 8, 0, 0}, "2019年3月5日8时"},
      {{2019, 12, 25, 0, 0, 7}, "2019年12月25日0时0分7秒"},
      {{2020, 1, 1, 0, 5, 0}, "2020年1月1日0时5分"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(GbkToUtf8(DateLabel(c.time)), c.shown);
  }
}

}  // namespace
}  // namespace jixia
