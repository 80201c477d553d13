#include "runtime/raster.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 47;

// SDL's own software line drawing is the reference for every pixel.
class SdlLines {
 public:
  SdlLines()
      : image_(SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_RGB888)),
        renderer_(SDL_CreateSoftwareRenderer(image_)) {}
  ~SdlLines() {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(image_);
  }

  std::vector<uint32_t> Draw(int x1, int y1, int x2, int y2) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer_);
    SDL_SetRenderDrawColor(renderer_, 255, 255, 255, SDL_ALPHA_OPAQUE);
    SDL_RenderDrawLine(renderer_, x1, y1, x2, y2);
    SDL_RenderFlush(renderer_);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < kHeight; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const Uint8*>(image_->pixels) +
                                                          static_cast<ptrdiff_t>(y) * image_->pitch);
      for (int x = 0; x < kWidth; ++x) pixels.push_back(row[x] & 0xFFFFFF);
    }
    return pixels;
  }

 private:
  SDL_Surface* image_;
  SDL_Renderer* renderer_;
};

// Draws the line, and checks that the tiles it marks are those of its pixels.
std::vector<uint32_t> DrawOurs(int x1, int y1, int x2, int y2) {
  std::vector<uint32_t> pixels(size_t{kWidth} * kHeight);
  runtime::raster::Tiles drawn(kWidth, kHeight), lit(kWidth, kHeight);
  runtime::raster::DrawLine({pixels.data(), kWidth, kWidth, kHeight}, x1, y1, x2, y2, 0xFFFFFF, &drawn);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (pixels[static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)]) lit.Mark(x, y);
    }
  }
  EXPECT_EQ(drawn.Runs(), lit.Runs());
  return pixels;
}

TEST(Raster, LinesHaveExactlySdlsPixelsInsideAndAcrossTheEdges) {
  SdlLines sdl;
  std::mt19937 generator(7);
  for (int reach : {kWidth, 4 * kWidth, 400 * kWidth}) {
    std::uniform_int_distribution<int> coordinate(-reach, reach);
    for (int i = 0; i < 3000; ++i) {
      const int x1 = coordinate(generator), y1 = coordinate(generator);
      int x2 = coordinate(generator), y2 = coordinate(generator);
      if (i % 4 == 0) x2 = x1 + i % 9 - 4;  // steep
      if (i % 4 == 1) y2 = y1 + i % 9 - 4;  // flat
      ASSERT_EQ(DrawOurs(x1, y1, x2, y2), sdl.Draw(x1, y1, x2, y2))
          << "(" << x1 << ", " << y1 << ") to (" << x2 << ", " << y2 << ")";
    }
  }
}

}  // namespace
