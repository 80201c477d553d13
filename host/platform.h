#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/window_system.h"

namespace host {

// What the host asks of the platform it runs on, before and around SDL. Each
// platform has a file of its own, platform_<platform>.cpp, which the build
// picks; it also gives host.h's ReachConsole.

// The SDL video drivers that show windows here, most preferred first.
std::string VideoDrivers();

// The window system behind the SDL video driver in use, once SDL has started
// it. It sets the hints SDL reads when it creates the window and its pixels.
std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view driver, std::string_view caption);

// Tells the user of the error that ends the program, in one line, as the
// window with the caption given would.
void ReportFatalError(std::string_view caption, std::string_view line);

// Tells the user that the program has no settings, above the window of
// another program given, if any, as a screensaver asked for its settings.
void TellThereAreNoSettings(std::string_view caption, std::optional<uint64_t> owner);

}  // namespace host
