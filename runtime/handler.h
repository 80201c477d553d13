#pragma once

#include <functional>
#include <string_view>

namespace runtime {

// Runs the work that calls the event handlers, or a tool's whole work, and
// returns its exit status. An error leaving it is reported as the line
// "caption: message" and gives status 1; this is the only place that catches.
int RunHandler(std::string_view caption, const std::function<int()>& handler,
               const std::function<void(std::string_view line)>& report);

}  // namespace runtime
