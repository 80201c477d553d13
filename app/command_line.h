#pragma once

#include <functional>
#include <iosfwd>
#include <string_view>
#include <vector>

#include "runtime/host.h"

// Reads the program's arguments (after its name) in the GNU manner and does
// what they ask: prints the usage or the version, or shows the window with
// the options given through show. Returns the program's exit status: 2 for
// arguments it cannot take, after a one-line complaint and the usage on errors.
int RunCommandLine(const std::vector<std::string_view>& arguments, std::ostream& out, std::ostream& errors,
                   const std::function<int(const runtime::ShowOptions&)>& show);
