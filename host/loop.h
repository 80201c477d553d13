#pragma once

#include <functional>
#include <optional>

namespace host {

// Runs the event loop's steps until one ends it with an exit status, and
// returns that status. A desktop runs them in a loop of its own
// (loop_desktop.cpp); a browser, which must not be kept waiting, calls each
// step when it is due and this returns at once (loop_web.cpp).
int DriveLoop(const std::function<std::optional<int>()>& step);

}  // namespace host
