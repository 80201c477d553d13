#pragma once

#include <ctime>

namespace runtime {

// The local calendar time of a moment. Each platform's C library has its own
// reentrant form of this; the build picks the file for the platform.
std::tm LocalTime(std::time_t moment);

}  // namespace runtime
