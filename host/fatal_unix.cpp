#include <cstdio>

#include "host/fatal.h"

namespace host {

void ReportFatalError(std::string_view /*caption*/, std::string_view line) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  std::fflush(stderr);
}

}  // namespace host
