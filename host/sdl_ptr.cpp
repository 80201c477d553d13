#include "host/sdl_ptr.h"

#include <SDL.h>

namespace host {

void SdlDeleter::operator()(SDL_Surface* image) const { SDL_FreeSurface(image); }

void SdlDeleter::operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }

}  // namespace host
