#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/tiles.h"

namespace runtime::raster {

// 32-bit pixels in rows; stride is the distance between rows, in pixels.
struct Image {
  uint32_t* pixels;
  ptrdiff_t stride;
  int width;
  int height;
};

// Draws a one-pixel line between two pixels, both included, clipped to the
// image. The pixels chosen are those of SDL's software line drawing: its
// integer clipping, then Bresenham's steps from the first end to the second.
// The tiles of the pixels drawn are marked in drawn, if given.
void DrawLine(const Image& image, int x1, int y1, int x2, int y2, uint32_t pixel, Tiles* drawn = nullptr);

}  // namespace runtime::raster
