#include "host/png.h"

#include <SDL_image.h>

#include "host/sdl_check.h"
#include "host/sdl_ptr.h"

namespace host {

void SavePng(const SoftwareSurface& surface, const std::string& path) {
  CheckSdl("cannot save the picture as " + path, [&] { return IMG_SavePNG(surface.image(), path.c_str()); });
}

std::unique_ptr<SoftwareSurface> LoadPng(const std::string& path) {
  const SdlPtr<SDL_Surface> loaded(CheckSdl("cannot read " + path, [&] { return IMG_Load(path.c_str()); }));
  auto picture = std::make_unique<SoftwareSurface>(loaded->w, loaded->h, 0);
  CheckSdl("cannot convert " + path, [&] { return SDL_BlitSurface(loaded.get(), nullptr, picture->image(), nullptr); });
  return picture;
}

}  // namespace host
