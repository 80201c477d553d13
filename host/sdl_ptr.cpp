#include "host/sdl_ptr.h"

#include <SDL.h>

namespace host {

void SdlDeleter::operator()(SDL_Surface* image) const { SDL_FreeSurface(image); }

void SdlDeleter::operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }

void SdlDeleter::operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }

void SdlDeleter::operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }

}  // namespace host
