#pragma once

#include <memory>

struct SDL_Surface;
struct SDL_Window;

namespace host {

// Frees what SDL made: an image or a window.
struct SdlDeleter {
  void operator()(SDL_Surface* image) const;
  void operator()(SDL_Window* window) const;
};

// An SDL object with one owner, freed with it.
template <typename Object>
using SdlPtr = std::unique_ptr<Object, SdlDeleter>;

}  // namespace host
