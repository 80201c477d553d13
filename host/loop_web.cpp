#include <emscripten.h>

#include "host/loop.h"

namespace host {

int DriveLoop(const std::function<std::optional<int>()>& step) {
  static std::function<std::optional<int>()> running;
  running = step;
  // Throws to the browser, which calls the step from then on; nothing after it runs.
  emscripten_set_main_loop(
      [] {
        if (running()) emscripten_cancel_main_loop();
      },
      0, true);
  return 0;
}

}  // namespace host
