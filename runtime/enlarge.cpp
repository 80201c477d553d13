#include "runtime/enlarge.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace runtime::raster {
namespace {

// Writes each of count pixels kScale times over.
template <int kScale>
void Repeat(const uint32_t* from, uint32_t* to, int count) {
  for (const uint32_t* const end = from + count; from < end; ++from) {
    for (int k = 0; k < kScale; ++k) *to++ = *from;
  }
}

// The same for any scale; the common ones are spelled out, which lets the
// compiler unroll them: twice as fast at scale 2.
void Repeat(const uint32_t* from, uint32_t* to, int count, int scale) {
  switch (scale) {
    case 2:
      return Repeat<2>(from, to, count);
    case 3:
      return Repeat<3>(from, to, count);
    case 4:
      return Repeat<4>(from, to, count);
    default:
      for (const uint32_t* const end = from + count; from < end; ++from) to = std::fill_n(to, scale, *from);
  }
}

// The frame's row y, from the picture's row above it or the background.
void EnlargeRow(const Image& picture, const Image& frame, const Placement& placement, uint32_t background, int y) {
  uint32_t* row = frame.pixels + y * frame.stride;
  const int fromTop = y - placement.top;
  const int left = std::clamp(placement.left, 0, frame.width);
  const int right = std::clamp(placement.left + picture.width * placement.scale, 0, frame.width);
  if (fromTop < 0 || fromTop >= picture.height * placement.scale || left >= right) {
    std::fill_n(row, frame.width, background);
    return;
  }
  std::fill(row, row + left, background);
  std::fill(row + right, row + frame.width, background);
  const uint32_t* source = picture.pixels + fromTop / placement.scale * picture.stride;
  const int skipped = left - placement.left;  // frame pixels of the picture cut off on the left
  if (placement.scale == 1) {
    std::memcpy(row + left, source + skipped, static_cast<size_t>(right - left) * sizeof *row);
    return;
  }
  // Block by block: the first and last may be cut off by the frame's edges.
  const int scale = placement.scale;
  const uint32_t* from = source + skipped / scale;
  uint32_t* to = row + left;
  uint32_t* const end = row + right;
  if (const int cut = skipped % scale; cut != 0) {
    for (int i = cut; i < scale && to < end; ++i) *to++ = *from;
    ++from;
  }
  const int whole = static_cast<int>(end - to) / scale;
  Repeat(from, to, whole, scale);
  from += whole;
  to += static_cast<ptrdiff_t>(whole) * scale;
  while (to < end) *to++ = *from;
}

// The sum of a pixel's three channels.
int Brightness(uint32_t pixel) { return static_cast<int>((pixel & 0xFF) + (pixel >> 8 & 0xFF) + (pixel >> 16 & 0xFF)); }

// The picture reduced into the pixels given: each pixel the brightest of its
// block of reduction x reduction pixels of the picture.
Image Reduce(const Image& picture, int reduction, std::vector<uint32_t>& pixels) {
  const Image reduced{nullptr, Reduced(picture.width, reduction), Reduced(picture.width, reduction),
                      Reduced(picture.height, reduction)};
  pixels.assign(static_cast<size_t>(reduced.stride) * static_cast<size_t>(reduced.height), 0);
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* from = picture.pixels + y * picture.stride;
    uint32_t* to = pixels.data() + y / reduction * reduced.stride;
    for (int x = 0; x < picture.width; ++x) {
      uint32_t& kept = to[x / reduction];
      if ((x % reduction == 0 && y % reduction == 0) || Brightness(from[x]) > Brightness(kept)) kept = from[x];
    }
  }
  return {pixels.data(), reduced.stride, reduced.width, reduced.height};
}

}  // namespace

void Enlarge(const Image& picture, const Image& frame, const Placement& placement, uint32_t background) {
  if (placement.reduction > 1) {
    std::vector<uint32_t> pixels;
    const Image reduced = Reduce(picture, placement.reduction, pixels);
    Enlarge(reduced, frame, {1, placement.left, placement.top}, background);
    return;
  }
  for (int y = 0; y < frame.height; ++y) {
    // The rows of one block are alike: copy the first.
    const int fromTop = y - placement.top;
    if (y > 0 && fromTop > 0 && fromTop % placement.scale != 0 && fromTop < picture.height * placement.scale) {
      std::memcpy(frame.pixels + y * frame.stride, frame.pixels + (y - 1) * frame.stride,
                  static_cast<size_t>(frame.width) * sizeof *frame.pixels);
    } else {
      EnlargeRow(picture, frame, placement, background, y);
    }
  }
}

}  // namespace runtime::raster
