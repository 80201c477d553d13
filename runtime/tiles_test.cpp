#include "runtime/tiles.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using runtime::raster::Rect;
using runtime::raster::Tiles;

TEST(Tiles, MarkedTilesRunAlongTheirRowsCutToTheImage) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> marked;  // pixels
    std::vector<Rect> runs;
  };
  const Case cases[] = {
      {"none", {}, {}},
      {"one pixel", {{17, 3}}, {{16, 0, 16, 16}}},
      {"two tiles in a run", {{0, 20}, {31, 31}, {20, 25}}, {{0, 16, 32, 16}}},
      {"two runs in a row", {{0, 0}, {40, 0}}, {{0, 0, 16, 16}, {32, 0, 16, 16}}},
      {"cut at the edges", {{49, 40}, {33, 38}}, {{32, 32, 18, 8}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Tiles tiles(50, 40);
    for (const auto& [x, y] : c.marked) tiles.Mark(x, y);
    EXPECT_EQ(tiles.Runs(), c.runs);
    if (!c.runs.empty()) {
      EXPECT_EQ(tiles.Bounds(),
                (Rect{c.runs.front().x, c.runs.front().y, c.runs.back().x + c.runs.back().width - c.runs.front().x,
                      c.runs.back().y + c.runs.back().height - c.runs.front().y}));
    } else {
      EXPECT_EQ(tiles.Bounds(), std::nullopt);
    }
  }
  Tiles all(50, 40);
  all.MarkAll();
  EXPECT_EQ(all.Runs(), (std::vector<Rect>{{0, 0, 50, 16}, {0, 16, 50, 16}, {0, 32, 50, 8}}));
  Tiles added(50, 40);
  added.Mark(0, 0);
  all.Clear();
  all.Mark(49, 39);
  added.Add(all);
  EXPECT_EQ(added.Runs(), (std::vector<Rect>{{0, 0, 16, 16}, {48, 32, 2, 8}}));
}

}  // namespace
