#include "runtime/png.h"

#include <SDL_image.h>

#include "runtime/sdl_check.h"

namespace runtime {

void SavePng(const SoftwareSurface& surface, const std::string& path) {
  CheckSdl("cannot save the picture as " + path, [&] { return IMG_SavePNG(surface.image(), path.c_str()); });
}

}  // namespace runtime
