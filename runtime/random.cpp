#include "runtime/random.h"

namespace runtime {

float Generator::Rnd() {
  // The top 24 bits scaled by 2^-24 are exact in single precision, so the
  // result can never round up to 1.
  constexpr int kMantissaBits = 24;
  constexpr float kScale = 1.0f / (1 << kMantissaBits);
  return static_cast<float>(engine_() >> (32 - kMantissaBits)) * kScale;
}

}  // namespace runtime
