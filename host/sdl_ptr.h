#pragma once

#include <memory>

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;

namespace host {

// Frees what SDL made: an image, a window, a renderer or its texture.
struct SdlDeleter {
  void operator()(SDL_Surface* image) const;
  void operator()(SDL_Window* window) const;
  void operator()(SDL_Renderer* renderer) const;
  void operator()(SDL_Texture* texture) const;
};

// An SDL object with one owner, freed with it.
template <typename Object>
using SdlPtr = std::unique_ptr<Object, SdlDeleter>;

}  // namespace host
