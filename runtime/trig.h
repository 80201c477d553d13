#pragma once

#include <cmath>

namespace runtime {

// Sine and cosine of an angle in radians, in double precision.
inline double Sin(double radians) { return std::sin(radians); }
inline double Cos(double radians) { return std::cos(radians); }

}  // namespace runtime
