#include <SDL.h>

#include <cstdio>
#include <string>

#include "host/fatal.h"

namespace host {

// A program without a console tells of a fatal error in a message box, as
// Windows programs do; the line goes to standard error too, for a console
// or a log that may be listening there.
void ReportFatalError(std::string_view caption, std::string_view line) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  std::fflush(stderr);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, std::string(caption).c_str(), std::string(line).c_str(), nullptr);
}

}  // namespace host
