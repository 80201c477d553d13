#pragma once

// A window's pixels on an X server, as the program's own surface holds them.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

#include "host/software_surface.h"

namespace xsession {

// The top-left part of the window, as large as given, in 24-bit colour.
inline std::unique_ptr<host::SoftwareSurface> Capture(Display* display, Window window, int width, int height) {
  auto shot = std::make_unique<host::SoftwareSurface>(width, height, 0);
  XImage* image =
      XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) return shot;
  const runtime::raster::Image& pixels = shot->pixels();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.pixels[y * pixels.stride + x] = XGetPixel(image, x, y) & 0xFFFFFF;
  }
  XDestroyImage(image);
  return shot;
}

}  // namespace xsession
