#include "runtime/handler.h"

#include <exception>
#include <string>

namespace runtime {

int RunHandler(std::string_view caption, const std::function<int()>& handler,
               const std::function<void(std::string_view line)>& report) {
  try {
    return handler();
  } catch (const std::exception& error) {
    report(std::string(caption) + ": " + error.what());
    return 1;
  }
}

}  // namespace runtime
