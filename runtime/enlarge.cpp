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

// Writes the frame's pixels from to up to end from a row of the picture,
// each picture pixel scale times: to is the offset-th pixel of the row
// enlarged. The first and last blocks may be cut off by the frame's edges.
void EnlargeSpan(const uint32_t* source, int scale, int offset, uint32_t* to, uint32_t* const end) {
  if (scale == 1) {
    std::memcpy(to, source + offset, static_cast<size_t>(end - to) * sizeof *to);
    return;
  }
  const uint32_t* from = source + offset / scale;
  if (const int cut = offset % scale; cut != 0) {
    for (int i = cut; i < scale && to < end; ++i) *to++ = *from;
    ++from;
  }
  const int whole = static_cast<int>(end - to) / scale;
  Repeat(from, to, whole, scale);
  from += whole;
  to += static_cast<ptrdiff_t>(whole) * scale;
  while (to < end) *to++ = *from;
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
  EnlargeSpan(picture.pixels + fromTop / placement.scale * picture.stride, placement.scale, left - placement.left,
              row + left, row + right);
}

// The sum of a pixel's bytes: its three channels, and an alpha or padding
// byte that is the same in every pixel of an image.
int Brightness(uint32_t pixel) {
  return static_cast<int>((pixel & 0xFF) + (pixel >> 8 & 0xFF) + (pixel >> 16 & 0xFF) + (pixel >> 24));
}

}  // namespace

Image Reduce(const Image& picture, int reduction, std::vector<uint32_t>& pixels) {
  const int width = Reduced(picture.width, reduction);
  const Image reduced{.pixels = nullptr, .stride = width, .width = width, .height = Reduced(picture.height, reduction)};
  pixels.assign(static_cast<size_t>(reduced.stride) * static_cast<size_t>(reduced.height), 0);
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* from = picture.pixels + y * picture.stride;
    uint32_t* to = pixels.data() + y / reduction * reduced.stride;
    for (int x = 0; x < picture.width; ++x) {
      uint32_t& kept = to[x / reduction];
      if ((x % reduction == 0 && y % reduction == 0) || Brightness(from[x]) > Brightness(kept)) kept = from[x];
    }
  }
  return {.pixels = pixels.data(), .stride = reduced.stride, .width = reduced.width, .height = reduced.height};
}

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

Rect EnlargePart(const Image& picture, const Image& frame, const Placement& placement, const Rect& part) {
  const int scale = placement.scale;
  const int left = std::max(placement.left + part.x * scale, 0);
  const int right = std::min(placement.left + (part.x + part.width) * scale, frame.width);
  const int top = std::max(placement.top + part.y * scale, 0);
  const int bottom = std::min(placement.top + (part.y + part.height) * scale, frame.height);
  if (left >= right || top >= bottom) return {0, 0, 0, 0};
  for (int y = top; y < bottom; ++y) {
    uint32_t* row = frame.pixels + y * frame.stride;
    const int fromTop = y - placement.top;
    if (y > top && fromTop % scale != 0) {
      // The rows of one block are alike: copy the first.
      std::memcpy(row + left, row - frame.stride + left, static_cast<size_t>(right - left) * sizeof *row);
    } else {
      EnlargeSpan(picture.pixels + fromTop / scale * picture.stride, scale, left - placement.left, row + left,
                  row + right);
    }
  }
  return {left, top, right - left, bottom - top};
}

}  // namespace runtime::raster
