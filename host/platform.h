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
// picks.

// The SDL video drivers to try, most preferred first: of those asked for,
// if any, the ones that can show the window here, else every driver that
// can. Raises a host error where none can.
std::string VideoDrivers(std::string_view asked);

// The window system behind the SDL video driver in use, once SDL has started
// it. It sets the hints SDL reads when it creates the window and its pixels.
std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view driver, std::string_view caption);

// Tells the user that the program has no settings, above the window of
// another program given, if any, as a screensaver asked for its settings.
void TellThereAreNoSettings(std::string_view caption, std::optional<uint64_t> owner);

// Makes what the program prints reach the console it was started from,
// where it has none of its own, as a Windows program with windows only.
void ReachConsole();

}  // namespace host
