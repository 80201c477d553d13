// The reference the running program is measured against: the same tree,
// swaying the same way, as an SDL programmer would first write it. Each
// tick clears a picture of the program's size, draws the segments with
// SDL's software renderer, and shows the whole window: the picture scaled
// into SDL's window surface by SDL's own blit. It is given the one hint that
// keeps SDL from putting an OpenGL renderer behind the window surface.
//
//   plain-sdl-tree [--scale=N | --root]

#include <SDL.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <string_view>

#include "anim/animate_values.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "runtime/scale.h"
#include "runtime/surface.h"
#include "tree/fractal_tree.h"

namespace {

constexpr int kWidth = 342, kHeight = 366;
constexpr Uint32 kTickMs = 100;

// Draws with SDL's renderer.
class RendererSurface final : public runtime::Surface {
 public:
  explicit RendererSurface(SDL_Renderer* renderer) : renderer_(renderer) {}
  void Cls() override {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  void Line(float x1, float y1, float x2, float y2, runtime::Colour colour) override {
    const runtime::Rgb rgb = runtime::Channels(colour);
    SDL_SetRenderDrawColor(renderer_, rgb.red, rgb.green, rgb.blue, 255);
    SDL_RenderDrawLineF(renderer_, x1, y1, x2, y2);
  }

 private:
  SDL_Renderer* renderer_;
};

SDL_Window* OpenWindow(bool root, int scale) {
  if (!root) {
    return SDL_CreateWindow("Fractal Tree", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth * scale,
                            kHeight * scale, 0);
  }
  Display* display = XOpenDisplay(nullptr);
  const Window rootWindow = DefaultRootWindow(display);
  XCloseDisplay(display);
  return SDL_CreateWindowFrom(reinterpret_cast<const void*>(rootWindow));  // NOLINT(performance-no-int-to-ptr)
}

int Run(std::string_view option) {
  const bool root = option == "--root";
  const int scale = option.starts_with("--scale=") ? std::atoi(option.substr(8).data()) : 1;
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = OpenWindow(root, scale);
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_RGB888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(picture);
  if (!window || !picture || !renderer) return 1;
  RendererSurface surface(renderer);
  float tilt = 0, spread = 0;
  runtime::SystemClock clock;
  runtime::Generator random;
  anim::clsAnimateValues animation(clock, random);
  animation.Init(20, 40);

  Uint64 next = SDL_GetTicks64() + kTickMs;
  while (true) {
    SDL_Event event;
    const Uint64 now = SDL_GetTicks64();
    if (SDL_WaitEventTimeout(&event, now < next ? static_cast<int>(next - now) : 0)) {
      if (event.type == SDL_QUIT) break;
      continue;
    }
    if (SDL_GetTicks64() < next) continue;
    next += kTickMs;
    surface.Cls();
    tree::FractalTree(surface, tilt, spread).DrawWhole();
    tilt = animation.GetA() - 10;
    spread = animation.GetB();
    animation.Update();
    SDL_Surface* shown = SDL_GetWindowSurface(window);
    const runtime::Placement placement = runtime::Fit(kWidth, kHeight, shown->w, shown->h);
    SDL_FillRect(shown, nullptr, 0);
    SDL_Rect into{placement.left, placement.top, kWidth * placement.scale, kHeight * placement.scale};
    SDL_BlitScaled(picture, nullptr, shown, &into);
    SDL_UpdateWindowSurface(window);
  }
  SDL_Quit();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc > 1 ? argv[1] : "");
  } catch (...) {
    return 1;
  }
}
