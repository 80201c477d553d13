#include "host/video.h"

#include <SDL.h>

#include "host/platform.h"
#include "host/sdl_check.h"

namespace host {

Video::Video() {
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, VideoDrivers(asked ? asked : "").c_str(), SDL_HINT_OVERRIDE);
  CheckSdl("no display to show the window on", [] { return SDL_Init(SDL_INIT_VIDEO); });
}

Video::~Video() { SDL_Quit(); }

}  // namespace host
