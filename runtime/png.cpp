#include "runtime/png.h"

#include <SDL_image.h>

#include "runtime/sdl_check.h"

namespace runtime {

void SavePng(SoftwareSurface& surface, const std::string& path) {
  surface.Flush();
  CheckSdl(IMG_SavePNG(surface.image(), path.c_str()));
}

}  // namespace runtime
