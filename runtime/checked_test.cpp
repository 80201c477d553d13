#include "runtime/checked.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <functional>
#include <string>

namespace {

using runtime::ErrorKind;

struct IntegerCase {
  const char* name;
  std::function<int32_t()> step;
  bool overflows;
};

TEST(Checked, IntegerStepsOverflowExactlyAtTheBoundaries) {
  const IntegerCase cases[] = {
      {"add to the largest", [] { return checked::Add(INT32_MAX - 1, 1); }, false},
      {"add past the largest", [] { return checked::Add(0x40000000, 0x40000000); }, true},
      {"add past the smallest", [] { return checked::Add(INT32_MIN, -1); }, true},
      {"sub to the smallest", [] { return checked::Sub(-1, INT32_MAX); }, false},
      {"sub past the smallest", [] { return checked::Sub(INT32_MIN, 1); }, true},
      {"sub past the largest", [] { return checked::Sub(0, INT32_MIN); }, true},
      {"mul to the smallest", [] { return checked::Mul(-65536, 32768); }, false},
      {"mul past the largest", [] { return checked::Mul(65536, 32768); }, true},
      {"mul negating the smallest", [] { return checked::Mul(-1, INT32_MIN); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.overflows) {
      try {
        c.step();
        ADD_FAILURE() << "no overflow";
      } catch (const runtime::Error& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
        EXPECT_STREQ(error.what(), "Overflow");
      }
    } else {
      EXPECT_NO_THROW(c.step());
    }
  }
}

struct FloatingCase {
  const char* name;
  std::function<double()> step;
  const char* error;  // nullptr when the step succeeds
};

TEST(Checked, FloatingStepsFailOnInvalidDivisionByZeroAndOverflow) {
  const FloatingCase cases[] = {
      {"finite result", [] { return checked::Step(1e300); }, nullptr},
      {"NaN result", [] { return checked::Step(std::nan("")); }, "Invalid floating-point operation"},
      {"infinite result", [] { return checked::Step(-HUGE_VAL); }, "Floating-point overflow"},
      {"division", [] { return checked::Divide(1.0, 4.0); }, nullptr},
      {"division by zero", [] { return checked::Divide(1.0, 0.0); }, "Division by zero"},
      {"zero by zero", [] { return checked::Divide(0.0, -0.0); }, "Division by zero"},
      {"largest single", [] { return checked::Single(FLT_MAX); }, nullptr},
      {"rounds down to the largest single", [] { return checked::Single(0x1.fffffefffffffp127); }, nullptr},
      {"rounds up past the largest single", [] { return checked::Single(0x1.ffffffp127); }, "Floating-point overflow"},
      {"too large for single", [] { return checked::Single(-1e39); }, "Floating-point overflow"},
      {"below the smallest denormal", [] { return checked::Single(1e-50); }, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.error) {
      try {
        c.step();
        ADD_FAILURE() << "no error";
      } catch (const runtime::Error& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FloatingPoint);
        EXPECT_STREQ(error.what(), c.error);
      }
    } else {
      EXPECT_NO_THROW(c.step());
    }
  }
}

TEST(Checked, SingleRoundsToNearest) {
  EXPECT_EQ(checked::Single(0.1), 0.1f);
  EXPECT_EQ(checked::Single(100.0 - 0.0064858), 99.993515f);
}

}  // namespace
