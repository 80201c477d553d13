#include "runtime/tiles.h"

#include <algorithm>
#include <cstddef>

namespace runtime::raster {

Tiles::Tiles(int width, int height, bool marked)
    : width_(width),
      height_(height),
      columns_((width + kSize - 1) / kSize),
      rows_((height + kSize - 1) / kSize),
      marks_(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), marked ? 1 : 0) {}

void Tiles::MarkAll() { std::fill(marks_.begin(), marks_.end(), 1); }

void Tiles::Clear() { std::fill(marks_.begin(), marks_.end(), 0); }

void Tiles::Add(const Tiles& other) {
  for (size_t i = 0; i < marks_.size(); ++i) marks_[i] |= other.marks_[i];
}

std::vector<Rect> Tiles::Runs() const {
  std::vector<Rect> runs;
  for (int row = 0; row < rows_; ++row) {
    const uint8_t* marks = marks_.data() + static_cast<ptrdiff_t>(row) * columns_;
    for (int column = 0; column < columns_;) {
      if (!marks[column]) {
        ++column;
        continue;
      }
      const int first = column;
      while (column < columns_ && marks[column]) ++column;
      const int x = first * kSize, y = row * kSize;
      runs.push_back({x, y, std::min(column * kSize, width_) - x, std::min(y + kSize, height_) - y});
    }
  }
  return runs;
}

std::vector<Rect> Tiles::Bounds() const {
  const std::vector<Rect> runs = Runs();
  if (runs.empty()) return {};
  int left = width_, right = 0;
  for (const Rect& run : runs) {
    left = std::min(left, run.x);
    right = std::max(right, run.x + run.width);
  }
  const int top = runs.front().y, bottom = runs.back().y + runs.back().height;
  return {{left, top, right - left, bottom - top}};
}

}  // namespace runtime::raster
