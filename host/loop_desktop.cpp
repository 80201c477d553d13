#include "host/loop.h"

namespace host {

int DriveLoop(const std::function<std::optional<int>()>& step) {
  while (true) {
    if (const std::optional<int> status = step()) return *status;
  }
}

}  // namespace host
