#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace runtime::raster {

// A rectangle of pixels.
struct Rect {
  int x;
  int y;
  int width;
  int height;

  friend bool operator==(const Rect&, const Rect&) = default;
};

// Which squares of an image, kSize pixels a side, have been marked: where
// pixels were drawn, so that only those parts need to be shown again.
class Tiles {
 public:
  static constexpr int kShift = 4;
  static constexpr int kSize = 1 << kShift;

  // Covers an image of the size given; every tile marked or none.
  Tiles(int width, int height, bool marked = false);

  void Mark(int x, int y) {
    marks_[static_cast<size_t>(y >> kShift) * static_cast<size_t>(columns_) + static_cast<size_t>(x >> kShift)] = 1;
  }
  void MarkAll();
  void Clear();
  // Marks every tile the other marks; both cover images of one size.
  void Add(const Tiles& other);

  // The marked tiles as rectangles of the image: one for each run of marked
  // tiles along a row of tiles, cut to the image's edges.
  std::vector<Rect> Runs() const;

  // The smallest rectangle that holds every marked tile, cut to the image's
  // edges; none where no tile is marked.
  std::optional<Rect> Bounds() const;

 private:
  int width_;
  int height_;
  int columns_;
  int rows_;
  std::vector<uint8_t> marks_;
};

}  // namespace runtime::raster
