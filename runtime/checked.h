#pragma once

// Checked arithmetic: 32-bit integer steps raise an overflow error, and a
// floating-point step is valid only while its result is finite.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "runtime/error.h"

namespace checked {

[[noreturn]] inline void RaiseOverflow() { throw runtime::Error(runtime::ErrorKind::Overflow, "Overflow"); }

inline int32_t Add(int32_t a, int32_t b) {
  int32_t sum;
  if (__builtin_add_overflow(a, b, &sum)) RaiseOverflow();
  return sum;
}

inline int32_t Sub(int32_t a, int32_t b) {
  int32_t difference;
  if (__builtin_sub_overflow(a, b, &difference)) RaiseOverflow();
  return difference;
}

inline int32_t Mul(int32_t a, int32_t b) {
  int32_t product;
  if (__builtin_mul_overflow(a, b, &product)) RaiseOverflow();
  return product;
}

[[noreturn]] inline void RaiseFloatingPoint(const char* message) {
  throw runtime::Error(runtime::ErrorKind::FloatingPoint, message);
}

// Passes a floating-point result on, or raises the error its value stands for:
// NaN comes from an invalid operation, an infinity from an overflow.
inline double Step(double result) {
  if (std::isnan(result)) RaiseFloatingPoint("Invalid floating-point operation");
  if (std::isinf(result)) RaiseFloatingPoint("Floating-point overflow");
  return result;
}

inline double Divide(double dividend, double divisor) {
  if (divisor == 0.0) RaiseFloatingPoint("Division by zero");
  return Step(dividend / divisor);
}

// Halfway between the largest single and the next power of two: anything at
// least this large rounds to infinity when stored as a single.
inline constexpr double kFirstBeyondSingle = 0x1.ffffffp127;

// Stores a value as single precision, rounded to nearest.
inline float Single(double value) {
  if (std::fabs(Step(value)) >= kFirstBeyondSingle) RaiseFloatingPoint("Floating-point overflow");
  return static_cast<float>(value);
}

// Stores a number of any arithmetic type as single precision.
template <typename Number>
requires std::is_arithmetic_v<Number>
float ToSingle(Number value) {
  if constexpr (std::is_same_v<Number, long double>) {
    // Beyond double's range the conversion to double would be undefined.
    if (std::fabs(value) > DBL_MAX) RaiseFloatingPoint("Floating-point overflow");
  }
  return Single(static_cast<double>(value));
}

}  // namespace checked
