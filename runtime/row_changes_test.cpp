#include "runtime/row_changes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Runs = std::vector<std::pair<int, int>>;  // x and length

Runs Found(const std::vector<uint32_t>& row, const std::vector<uint32_t>& shown) {
  runtime::raster::RowChanges changes;
  Runs runs;
  changes.ForEachRun(row.data(), shown.data(), static_cast<int>(row.size()),
                     [&](int x, int length) { runs.emplace_back(x, length); });
  return runs;
}

// Pixel by pixel: a run goes on while the pixel is changed and of the run's colour.
Runs Expected(const std::vector<uint32_t>& row, const std::vector<uint32_t>& shown) {
  Runs runs;
  for (size_t x = 0; x < row.size();) {
    if (row[x] == shown[x]) {
      ++x;
      continue;
    }
    const size_t first = x;
    while (x < row.size() && row[x] == row[first] && shown[x] != row[first]) ++x;
    runs.emplace_back(static_cast<int>(first), static_cast<int>(x - first));
  }
  return runs;
}

// Rows as letters, one pixel a letter.
std::vector<uint32_t> Pixels(const std::string& letters) { return {letters.begin(), letters.end()}; }

TEST(RowChanges, RunsOfOneColourWhoseEveryPixelChanged) {
  struct Case {
    const char* row;
    const char* shown;
    Runs runs;
  };
  const Case cases[] = {
      {"aaaa", "aaaa", {}},
      {"abba", "aaaa", {{1, 2}}},
      {"bbcc", "aaaa", {{0, 2}, {2, 2}}},
      {"bbbb", "abab", {{0, 1}, {2, 1}}},
      {"aaab", "bbbb", {{0, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(Found(Pixels(c.row), Pixels(c.shown)), c.runs);
  }
}

// Widths across the masks' words, and runs across their edges, against the
// pixel-by-pixel reading.
TEST(RowChanges, AgreesWithReadingPixelByPixel) {
  std::mt19937 generator(7);
  std::uniform_int_distribution<uint32_t> colour(0, 2);
  for (int width = 1; width <= 200; ++width) {
    std::vector<uint32_t> row(static_cast<size_t>(width)), shown(row.size());
    for (int round = 0; round < 8; ++round) {
      for (size_t x = 0; x < row.size(); ++x) {
        shown[x] = colour(generator);
        row[x] = round % 2 == 0 ? 0 : colour(generator);  // long runs, then short
      }
      SCOPED_TRACE(width);
      ASSERT_EQ(Found(row, shown), Expected(row, shown));
    }
  }
}

}  // namespace
