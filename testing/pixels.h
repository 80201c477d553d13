#pragma once

// Pixel checks shared by the tests that draw on the real surface.

#include <gtest/gtest.h>

#include <vector>

#include "host/software_surface.h"

namespace pixels {

inline constexpr runtime::Rgb kBlack{0, 0, 0};

// The tree's palette: green 128, red 60 a level, blue 1 + 21 a corner.
inline bool IsTreeColour(runtime::Rgb rgb) {
  return rgb.green == 128 && rgb.red % 60 == 0 && rgb.red <= 240 && rgb.blue % 21 == 1;
}

// Every pixel, row by row.
inline std::vector<runtime::Rgb> All(const host::SoftwareSurface& surface) {
  std::vector<runtime::Rgb> all;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) all.push_back(surface.Pixel(x, y));
  }
  return all;
}

inline int Count(const host::SoftwareSurface& surface, runtime::Rgb colour) {
  int count = 0;
  for (const runtime::Rgb pixel : All(surface)) count += pixel == colour;
  return count;
}

// The number of pixels not in the background; fails the test at the first
// one not in the tree's palette.
inline int CountTreePixels(const host::SoftwareSurface& surface) {
  int lit = 0;
  for (const runtime::Rgb pixel : All(surface)) {
    if (pixel == kBlack) continue;
    ++lit;
    if (!IsTreeColour(pixel)) {
      ADD_FAILURE() << "not a tree colour: " << int{pixel.red} << "," << int{pixel.green} << "," << int{pixel.blue};
      break;
    }
  }
  return lit;
}

}  // namespace pixels
