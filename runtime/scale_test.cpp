#include "runtime/scale.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

using runtime::Placement;

TEST(Scale, FitTakesTheLargestWholeScaleThatFitsCentredOrTheSmallestReduction) {
  struct Case {
    int width, height;
    Placement placement;
  };
  const Case cases[] = {
      {342, 366, {1, 0, 0}},       {684, 732, {2, 0, 0}},     {1026, 1098, {3, 0, 0}},     {1000, 800, {2, 158, 34}},
      {1920, 1080, {2, 618, 174}}, {683, 732, {1, 170, 183}}, {400, 300, {1, 114, 58, 2}}, {152, 112, {1, 33, 10, 4}},
      {100, 100, {1, 7, 4, 4}},    {1, 1, {1, 0, 0, 366}},    {0, 0, {1, 0, 0, 366}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runtime::Fit(342, 366, c.width, c.height), c.placement) << c.width << " x " << c.height;
  }
}

TEST(Scale, DesktopScaleRoundsToAWholeScaleFromOneToTheLargest) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  const std::pair<double, int> cases[] = {{-2, 1},  {0, 1},   {1, 1}, {1.25, 1}, {1.5, 2},  {2, 2},
                                          {2.4, 2}, {3.6, 4}, {8, 8}, {100, 8},  {kNaN, 1}, {kInf, 8}};
  for (const auto& [desktop, whole] : cases) EXPECT_EQ(runtime::WholeScale(desktop), whole) << desktop;
}

}  // namespace
