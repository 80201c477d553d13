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

std::optional<Rect> Tiles::Bounds() const {
  int left = columns_, right = 0, top = rows_, bottom = 0;
  for (int row = 0; row < rows_; ++row) {
    for (int column = 0; column < columns_; ++column) {
      if (!marks_[static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column)]) continue;
      left = std::min(left, column);
      right = std::max(right, column + 1);
      top = std::min(top, row);
      bottom = row + 1;
    }
  }
  if (left >= right) return std::nullopt;
  const int x = left * kSize, y = top * kSize;
  return Rect{x, y, std::min(right * kSize, width_) - x, std::min(bottom * kSize, height_) - y};
}

}  // namespace runtime::raster
