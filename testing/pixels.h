#pragma once

// Pixel checks shared by the tests that draw on the real surface.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "host/software_surface.h"
#include "runtime/enlarge.h"
#include "tree/fractal_tree.h"

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

// A copy of the part of a picture given.
inline std::unique_ptr<host::SoftwareSurface> Part(const host::SoftwareSurface& picture, int left, int top, int width,
                                                   int height) {
  auto part = std::make_unique<host::SoftwareSurface>(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const runtime::Rgb rgb = picture.Pixel(left + x, top + y);
      part->Line(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x), static_cast<float>(y),
                 runtime::ColourOf(rgb));
    }
  }
  return part;
}

// The first pixel in the tree's palette, row by row: where the tree starts.
inline std::pair<int, int> FirstTreePixel(const host::SoftwareSurface& surface) {
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      if (IsTreeColour(surface.Pixel(x, y))) return {x, y};
    }
  }
  return {-1, -1};
}

// A picture as a frame of the size given shows it: placed as given, black
// around it.
inline std::unique_ptr<host::SoftwareSurface> Shown(const host::SoftwareSurface& picture, int width, int height,
                                                    const runtime::Placement& placement) {
  auto frame = std::make_unique<host::SoftwareSurface>(width, height, 0);
  runtime::raster::Enlarge(picture.pixels(), frame->pixels(), placement, frame->backgroundPixel());
  return frame;
}

inline constexpr int kPictureWidth = 342, kPictureHeight = 366;

// The first frame, one vertical line, as a frame of the size given shows it.
inline std::unique_ptr<host::SoftwareSurface> FirstFrameShown(int width, int height,
                                                              const runtime::Placement& placement) {
  host::SoftwareSurface picture(kPictureWidth, kPictureHeight, 0);
  picture.Cls();
  tree::FractalTree(picture).DrawWhole();
  return Shown(picture, width, height, placement);
}

// The screen as it would be if it showed the picture that its top-left
// pixels of each block hold, enlarged as placed: equal to the screen only
// where every block is of one colour and all around the picture is black.
inline std::unique_ptr<host::SoftwareSurface> AsWholeBlocks(const host::SoftwareSurface& screen,
                                                            const runtime::Placement& placement) {
  host::SoftwareSurface picture(kPictureWidth, kPictureHeight, 0);
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      const runtime::Rgb block =
          screen.Pixel(placement.left + x * placement.scale, placement.top + y * placement.scale);
      picture.Line(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x), static_cast<float>(y),
                   runtime::ColourOf(block));
    }
  }
  return Shown(picture, screen.width(), screen.height(), placement);
}

// The number of pixels in which a picture differs from the part of another
// whose top-left corner is at (left, top); fails the test at the first.
inline int PixelsUnlike(const host::SoftwareSurface& shown, const host::SoftwareSurface& expected, int left = 0,
                        int top = 0) {
  if (left < 0 || top < 0 || left + expected.width() > shown.width() || top + expected.height() > shown.height()) {
    ADD_FAILURE() << "the picture at " << left << ", " << top << " does not fit";
    return -1;
  }
  int unlike = 0;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const runtime::Rgb is = shown.Pixel(left + x, top + y), was = expected.Pixel(x, y);
      if (is != was && unlike++ == 0) {
        ADD_FAILURE() << "at " << x << ", " << y << ": " << int{is.red} << "," << int{is.green} << "," << int{is.blue}
                      << " instead of " << int{was.red} << "," << int{was.green} << "," << int{was.blue};
      }
    }
  }
  return unlike;
}

}  // namespace pixels
