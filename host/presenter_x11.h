#pragma once

#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/presenter.h"
#include "host/software_surface.h"
#include "runtime/row_changes.h"
#include "runtime/scale.h"

namespace host {

// Shows the picture much enlarged in an X window by the X server's own
// drawing: every run of picture pixels, along a row, that differs from the
// frame shown is filled in as one rectangle, enlarged, in one request for
// each colour. Nothing is copied as pixels, and nothing waits for the
// server. In a window smaller than the picture, the picture is reduced
// first.
class XPresenter final : public Presenter {
 public:
  // The least enlargement at which filling the changed pixels costs the
  // program and the X server less than copying the changed tiles enlarged,
  // as the canvas does into SDL's pixels: measured at scales 2 to 5 (at 3,
  // filling cost a fifth more; at 4, a sixth less; at 5, a third less).
  static constexpr int kLeastScale = 4;

  // None where the window's visual has no red, green and blue masks, or
  // where the window holds the picture less enlarged than kLeastScale.
  static std::unique_ptr<XPresenter> For(Display* display, Window window, SoftwareSurface& picture);

  XPresenter(Display* display, Window window, const XWindowAttributes& attributes, SoftwareSurface& picture);
  ~XPresenter() override;
  XPresenter(const XPresenter&) = delete;
  XPresenter& operator=(const XPresenter&) = delete;

  runtime::Surface& surface() override { return picture_; }

 private:
  // The rectangles of one colour to fill.
  struct Fill {
    uint32_t pixel;  // the picture's
    std::vector<XRectangle> rectangles;
  };

  void ShowWhole() override;
  void ShowChanges() override;
  // Compares the rows of the frame given with the frame shown, and queues
  // each run of pixels that differ, in one colour, to be filled.
  void Compare(const runtime::raster::Image& frame, const runtime::raster::Rect& part);
  void Queue(uint32_t pixel, int x, int y, int length);
  // Sends the fills queued, and empties them.
  void Send();
  unsigned long ServerPixel(uint32_t pixel) const;
  // The picture reduced, where the window is smaller; the picture otherwise.
  runtime::raster::Image Frame();

  Display* display_;
  Window window_;
  GC gc_;
  int width_;
  int height_;
  Visual* visual_;
  SoftwareSurface& picture_;
  runtime::Placement placement_;
  std::vector<uint32_t> reduced_;  // the picture reduced, where it is
  std::vector<uint32_t> shown_;    // the frame as the window shows it
  int shownStride_;
  runtime::raster::RowChanges rowChanges_;
  // More slots than a picture has colours.
  static constexpr int kSlotBits = 8;

  std::vector<Fill> fills_;                               // by colour; kept from frame to frame, for their room
  std::array<uint16_t, size_t{1} << kSlotBits> slots_{};  // 1 + the index in fills_ of a colour; 0 for none
};

}  // namespace host
