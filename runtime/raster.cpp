#include "runtime/raster.h"

#include <cstdlib>

namespace runtime::raster {
namespace {

enum OutCode { kBottom = 1, kTop = 2, kLeft = 4, kRight = 8 };

int OutCodeOf(const Image& image, int x, int y) {
  int code = 0;
  if (y < 0) {
    code |= kTop;
  } else if (y >= image.height) {
    code |= kBottom;
  }
  if (x < 0) {
    code |= kLeft;
  } else if (x >= image.width) {
    code |= kRight;
  }
  return code;
}

// Moves the end whose out-code is given onto the edge it lies beyond,
// interpolating from the first end as Cohen-Sutherland does.
void MoveOntoEdge(const Image& image, int code, int x1, int y1, int x2, int y2, int& x, int& y) {
  // Products are taken in 64 bits: the ends may lie far outside the image.
  const auto along = [](int from, int delta, int part, int whole) {
    return static_cast<int>(from + static_cast<int64_t>(delta) * part / whole);
  };
  if (code & kTop) {
    y = 0;
    x = along(x1, x2 - x1, y - y1, y2 - y1);
  } else if (code & kBottom) {
    y = image.height - 1;
    x = along(x1, x2 - x1, y - y1, y2 - y1);
  } else if (code & kLeft) {
    x = 0;
    y = along(y1, y2 - y1, x - x1, x2 - x1);
  } else {
    x = image.width - 1;
    y = along(y1, y2 - y1, x - x1, x2 - x1);
  }
}

bool Clip(const Image& image, int& x1, int& y1, int& x2, int& y2) {
  const int right = image.width - 1;
  const int bottom = image.height - 1;
  if ((x1 < 0 && x2 < 0) || (x1 > right && x2 > right) || (y1 < 0 && y2 < 0) || (y1 > bottom && y2 > bottom)) {
    return false;
  }
  int code1 = OutCodeOf(image, x1, y1);
  int code2 = OutCodeOf(image, x2, y2);
  while (code1 | code2) {
    if (code1 & code2) return false;
    int x = 0, y = 0;
    if (code1) {
      MoveOntoEdge(image, code1, x1, y1, x2, y2, x, y);
      x1 = x;
      y1 = y;
      code1 = OutCodeOf(image, x, y);
    } else {
      MoveOntoEdge(image, code2, x1, y1, x2, y2, x, y);
      x2 = x;
      y2 = y;
      code2 = OutCodeOf(image, x, y);
    }
  }
  return true;
}

}  // namespace

void DrawLine(const Image& image, int x1, int y1, int x2, int y2, uint32_t pixel, Tiles* drawn) {
  if (!Clip(image, x1, y1, x2, y2)) return;

  // Bresenham: every pixel steps along the major axis, and along the minor
  // one too whenever the error term allows.
  const int dx = std::abs(x2 - x1);
  const int dy = std::abs(y2 - y1);
  const int stepX = x1 <= x2 ? 1 : -1;
  const int stepY = y1 <= y2 ? 1 : -1;
  const bool wide = dx >= dy;
  const int major = wide ? dx : dy;
  const int minor = wide ? dy : dx;
  const ptrdiff_t straight = wide ? stepX : stepY * image.stride;
  const ptrdiff_t diagonal = stepX + stepY * image.stride;
  const int straightError = 2 * minor;
  const int diagonalError = 2 * (minor - major);

  const int straightX = wide ? stepX : 0;
  const int straightY = wide ? 0 : stepY;

  uint32_t* at = image.pixels + y1 * image.stride + x1;
  int x = x1, y = y1;
  int error = 2 * minor - major;
  for (int i = 0;; ++i) {
    *at = pixel;
    if (drawn) drawn->Mark(x, y);
    if (i == major) break;
    if (error < 0) {
      error += straightError;
      at += straight;
      x += straightX;
      y += straightY;
    } else {
      error += diagonalError;
      at += diagonal;
      x += stepX;
      y += stepY;
    }
  }
}

}  // namespace runtime::raster
