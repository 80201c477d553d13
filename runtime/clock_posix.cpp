#include "runtime/clock.h"

namespace runtime {

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return local;
}

}  // namespace runtime
