#pragma once

#include <cstdint>
#include <vector>

#include "runtime/raster.h"
#include "runtime/scale.h"
#include "runtime/tiles.h"

namespace runtime::raster {

// Copies the picture into the frame as placed, and fills the rest of the frame
// with the background pixel. Both images hold pixels of the same format, 8
// bits a channel. Reduced, each frame pixel is the
// brightest of its block, so that lines one pixel wide stay whole.
void Enlarge(const Image& picture, const Image& frame, const Placement& placement, uint32_t background);

// The picture reduced into the pixels given: each pixel the brightest of its
// block of reduction x reduction pixels of the picture.
Image Reduce(const Image& picture, int reduction, std::vector<uint32_t>& pixels);

// Copies only the part of the picture given, enlarged as placed, and returns
// the part of the frame it wrote; the rest of the frame stays as it was. The
// placement enlarges.
Rect EnlargePart(const Image& picture, const Image& frame, const Placement& placement, const Rect& part);

}  // namespace runtime::raster
