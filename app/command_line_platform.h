#pragma once

// What each platform's command line adds to the common one: its own options
// and its usage. The build picks command_line_unix.cpp or
// command_line_windows.cpp.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/form.h"

namespace command_line {

// The usage, the platform's options among the common ones.
extern const std::string_view kUsage;

// What reading one argument came to: not one of the platform's, taken, or
// refused with a complaint.
struct Reading {
  bool taken = false;
  std::string complaint;
};

// The argument as the program's options are spelled, where the platform's
// habits spell it otherwise; as it is elsewhere.
std::string_view CommonSpelling(std::string_view argument);

// Reads the argument at `at` (and a value after it, moving `at` on) if it is
// one of the platform's own.
Reading ReadPlatformArgument(const std::vector<std::string_view>& arguments, size_t& at, host::ShowOptions& options);

// Settles what the arguments together ask for; screensaver is whether the
// program was started under a screensaver's name.
void SettlePlatformOptions(host::ShowOptions& options, bool screensaver);

// The value of an option given as "--name=value" or as "--name value",
// moving `at` on to the value in the second form.
std::optional<std::string_view> ValueOf(std::string_view name, const std::vector<std::string_view>& arguments,
                                        size_t& at);

// A whole number in the base given, all of the text; none otherwise.
std::optional<uint64_t> WholeNumber(std::string_view text, int base = 10);

// A window's id, in decimal or in hexadecimal with 0x; never 0.
std::optional<uint64_t> WindowId(std::string_view text);

}  // namespace command_line
