#pragma once

#include <cstdint>

namespace runtime {

// A colour value: red in bits 0-7, green in bits 8-15, blue in bits 16-23.
using Colour = int32_t;

struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb Channels(Colour colour) {
  const auto bits = static_cast<uint32_t>(colour);
  return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16)};
}

constexpr Colour ColourOf(Rgb rgb) { return rgb.red | rgb.green << 8 | rgb.blue << 16; }

}  // namespace runtime
