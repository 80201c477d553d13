#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

namespace host {

// How the program tells of the error that ends it. Each platform has a file
// of its own, fatal_<platform>.cpp, which the build picks.

// Tells the user of the error that ends the program, in one line, as the
// window with the caption given would.
void ReportFatalError(std::string_view caption, std::string_view line);

// Ends the program at once with status 1, after telling the user why in one
// line: for a failure noticed where the toolkit must not be returned to.
[[noreturn]] inline void EndAtOnce(std::string_view caption, std::string_view reason) {
  ReportFatalError(caption, std::string(caption) + ": " + std::string(reason));
  std::_Exit(1);
}

}  // namespace host
