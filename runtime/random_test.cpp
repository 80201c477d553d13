#include <gtest/gtest.h>

#include "runtime/clock.h"
#include "runtime/random.h"

namespace {

TEST(Generator, DrawsUniformlyInTheHalfOpenUnitInterval) {
  runtime::Generator generator;
  constexpr int kDraws = 200000;
  double sum = 0.0;
  int lowerHalf = 0;
  for (int i = 0; i < kDraws; ++i) {
    const float value = generator.Rnd();
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    sum += value;
    lowerHalf += value < 0.5f;
  }
  EXPECT_NEAR(sum / kDraws, 0.5, 0.005);
  EXPECT_NEAR(static_cast<double>(lowerHalf) / kDraws, 0.5, 0.005);
}

TEST(Generator, EveryRunSeesTheSameSequence) {
  runtime::Generator first;
  runtime::Generator second;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(first.Rnd(), second.Rnd());
}

TEST(SystemClock, ReadsSecondsSinceMidnightWithAFraction) {
  runtime::SystemClock clock;
  const double first = clock.Timer();
  EXPECT_GE(first, 0.0);
  EXPECT_LT(first, 86401.0);  // a leap second reads as second 60
  double later = first;
  for (int i = 0; i < 1000000 && later == first; ++i) later = clock.Timer();
  EXPECT_NE(later, first) << "the clock has no fractional part";
}

}  // namespace
