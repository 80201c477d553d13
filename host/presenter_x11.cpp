#include "host/presenter_x11.h"

#include <SDL.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "runtime/enlarge.h"

namespace host {
namespace raster = runtime::raster;

std::unique_ptr<XPresenter> XPresenter::For(Display* display, Window window, SoftwareSurface& picture) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return nullptr;
  const Visual& visual = *attributes.visual;
  if (visual.red_mask == 0 || visual.green_mask == 0 || visual.blue_mask == 0) return nullptr;
  const runtime::Placement placement =
      runtime::Fit(picture.width(), picture.height(), attributes.width, attributes.height);
  if (placement.scale < kLeastScale && placement.reduction == 1) return nullptr;
  return std::make_unique<XPresenter>(display, window, attributes, picture);
}

XPresenter::XPresenter(Display* display, Window window, const XWindowAttributes& attributes, SoftwareSurface& picture)
    : display_(display),
      window_(window),
      gc_(XCreateGC(display, window, 0, nullptr)),
      width_(attributes.width),
      height_(attributes.height),
      visual_(attributes.visual),
      picture_(picture),
      placement_(runtime::Fit(picture.width(), picture.height(), attributes.width, attributes.height)),
      shownStride_(runtime::Reduced(picture.width(), placement_.reduction)) {
  shown_.resize(static_cast<size_t>(shownStride_) *
                static_cast<size_t>(runtime::Reduced(picture.height(), placement_.reduction)));
}

XPresenter::~XPresenter() { XFreeGC(display_, gc_); }

// The whole window in the background, then every pixel of the picture that
// is not.
void XPresenter::ShowWhole() {
  picture_.TakeChanges();
  XSetForeground(display_, gc_, ServerPixel(picture_.backgroundPixel()));
  XFillRectangle(display_, window_, gc_, 0, 0, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
  std::fill(shown_.begin(), shown_.end(), picture_.backgroundPixel());
  const raster::Image frame = Frame();
  Compare(frame, {0, 0, frame.width, frame.height});
  Send();
}

// Enlarged, only the tiles drawn on since the last show may differ; reduced,
// the small frame is compared whole.
void XPresenter::ShowChanges() {
  const raster::Tiles changes = picture_.TakeChanges();
  const raster::Image frame = Frame();
  if (placement_.reduction > 1) {
    Compare(frame, {0, 0, frame.width, frame.height});
  } else {
    for (const raster::Rect& part : changes.Runs()) Compare(frame, part);
  }
  Send();
}

void XPresenter::Compare(const raster::Image& frame, const raster::Rect& part) {
  const size_t width = static_cast<size_t>(part.width);
  for (int y = part.y; y < part.y + part.height; ++y) {
    const uint32_t* row = frame.pixels + y * frame.stride + part.x;
    uint32_t* shown = shown_.data() + static_cast<ptrdiff_t>(y) * shownStride_ + part.x;
    // Most rows of a tile are as they were: the library's compare passes them fastest.
    if (std::memcmp(row, shown, width * sizeof *row) == 0) continue;
    rowChanges_.ForEachRun(row, shown, part.width, [&](int x, int length) { Queue(row[x], part.x + x, y, length); });
    std::copy_n(row, width, shown);
  }
}

// The fill of a colour is found through a small table keyed by the pixel:
// a frame has a few dozen colours and thousands of runs. Should a picture
// have as many colours as half the table, what is queued is sent first.
void XPresenter::Queue(uint32_t pixel, int x, int y, int length) {
  size_t slot = (pixel * 2654435761u) >> (32 - kSlotBits);
  while (slots_[slot] != 0 && fills_[slots_[slot] - 1u].pixel != pixel) slot = (slot + 1) % slots_.size();
  if (slots_[slot] == 0) {
    if (fills_.size() == slots_.size() / 2) {
      Send();
      fills_.clear();
      slots_.fill(0);
      return Queue(pixel, x, y, length);
    }
    fills_.push_back({pixel, {}});
    slots_[slot] = static_cast<uint16_t>(fills_.size());
  }
  const int scale = placement_.scale;
  fills_[slots_[slot] - 1u].rectangles.push_back(
      {static_cast<short>(placement_.left + x * scale), static_cast<short>(placement_.top + y * scale),
       static_cast<unsigned short>(length * scale), static_cast<unsigned short>(scale)});
}

void XPresenter::Send() {
  for (Fill& fill : fills_) {
    if (fill.rectangles.empty()) continue;
    XSetForeground(display_, gc_, ServerPixel(fill.pixel));
    XFillRectangles(display_, window_, gc_, fill.rectangles.data(), static_cast<int>(fill.rectangles.size()));
    fill.rectangles.clear();
  }
  XFlush(display_);
}

// A channel of 8 bits in the bits of the mask given, the high bits kept
// where the mask is narrower, as SDL maps colours into fewer bits.
unsigned long XPresenter::ServerPixel(uint32_t pixel) const {
  runtime::Rgb rgb{};
  SDL_GetRGB(pixel, picture_.image()->format, &rgb.red, &rgb.green, &rgb.blue);
  const auto channel = [](uint8_t value, unsigned long mask) {
    const int bits = std::popcount(mask);
    const unsigned long wide = bits <= 8 ? value >> (8 - bits) : static_cast<unsigned long>(value) << (bits - 8);
    return wide << std::countr_zero(mask);
  };
  return channel(rgb.red, visual_->red_mask) | channel(rgb.green, visual_->green_mask) |
         channel(rgb.blue, visual_->blue_mask);
}

raster::Image XPresenter::Frame() {
  if (placement_.reduction == 1) return picture_.pixels();
  return raster::Reduce(picture_.pixels(), placement_.reduction, reduced_);
}

}  // namespace host
