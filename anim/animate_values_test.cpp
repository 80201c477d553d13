#include "anim/animate_values.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>

#include "testing/fakes.h"

namespace {

using runtime::ErrorKind;

constexpr double kStart = 1000.0;

class AnimateValues : public ::testing::Test {
 protected:
  // Starts a leg from A = 2, B = 8 towards A = 6, B = 16 at kStart.
  void InitAtStart() {
    random.Add({0.1f, 0.2f, 0.3f, 0.4f});
    clock.now = kStart;
    values.Init(20, 40);
  }

  fakes::FakeClock clock;
  fakes::ScriptedRandom random;
  anim::clsAnimateValues values{clock, random};
};

TEST_F(AnimateValues, InitDrawsTheFourEndsInOrderWithinTheRanges) {
  EXPECT_EQ(values.renewseconds, 2.0f);
  InitAtStart();
  EXPECT_EQ(values.maxa, 20.0f);
  EXPECT_EQ(values.maxb, 40.0f);
  EXPECT_EQ(values.froma, static_cast<float>(0.1f * 20.0));
  EXPECT_EQ(values.fromb, static_cast<float>(0.2f * 40.0));
  EXPECT_EQ(values.newa, static_cast<float>(0.3f * 20.0));
  EXPECT_EQ(values.newb, static_cast<float>(0.4f * 40.0));
  EXPECT_EQ(random.draws, 4);
}

TEST_F(AnimateValues, ValuesGlideAlongTheLegAndRunOnPastItsEnd) {
  InitAtStart();
  struct Moment {
    double seconds;
    float a, b;
  };
  const float froma = values.froma, fromb = values.fromb;
  const float da = values.newa - froma, db = values.newb - fromb;
  const Moment moments[] = {
      {0.0, froma, fromb},
      {0.5, froma + 0.25f * da, fromb + 0.25f * db},
      {2.0, values.newa, values.newb},
      {2.1, froma + 1.05f * da, fromb + 1.05f * db},
  };
  for (const auto& m : moments) {
    SCOPED_TRACE(m.seconds);
    clock.now = kStart + m.seconds;
    EXPECT_FLOAT_EQ(values.GetA(), m.a);
    EXPECT_FLOAT_EQ(values.GetB(), m.b);
  }
  EXPECT_EQ(random.draws, 4);
}

TEST_F(AnimateValues, UpdateRenewsOnlyWhenMoreThanTheLegHasPassed) {
  // Times on a quarter-second grid are exact in single precision.
  InitAtStart();
  const float oldnewa = values.newa, oldnewb = values.newb;
  random.Add({0.5f, 0.75f});

  clock.now = kStart + 2.0;
  values.Update();
  EXPECT_EQ(random.draws, 4) << "exactly renewseconds does not renew";

  clock.now = kStart + 2.25;
  values.Update();
  EXPECT_EQ(random.draws, 6);
  EXPECT_EQ(values.froma, oldnewa);
  EXPECT_EQ(values.fromb, oldnewb);
  EXPECT_EQ(values.newa, 10.0f);
  EXPECT_EQ(values.newb, 30.0f);

  // The new leg began at the reading taken in Update, not at the old leg's end.
  EXPECT_EQ(values.GetA(), oldnewa);
  clock.now = kStart + 4.25;
  EXPECT_EQ(values.GetA(), 10.0f);
  values.Update();
  EXPECT_EQ(random.draws, 6);
}

TEST_F(AnimateValues, BeforeInitEverythingIsZeroAndStaysZero) {
  for (double seconds : {0.0, 3.0, 7.0, 100.0}) {
    clock.now = seconds;
    EXPECT_EQ(values.GetA(), 0.0f);
    EXPECT_EQ(values.GetB(), 0.0f);
    values.Update();
  }
  EXPECT_EQ(values.froma + values.fromb + values.newa + values.newb, 0.0f);
}

TEST_F(AnimateValues, ErrorsAreRaisedAndFieldsAssignedBeforeThemKept) {
  InitAtStart();
  values.renewseconds = 0.0f;
  for (auto get : {&anim::clsAnimateValues::GetA, &anim::clsAnimateValues::GetB}) {
    try {
      (values.*get)();
      ADD_FAILURE() << "no error";
    } catch (const runtime::Error& error) {
      EXPECT_EQ(error.kind(), ErrorKind::FloatingPoint);
      EXPECT_STREQ(error.what(), "Division by zero");
    }
  }
}

TEST_F(AnimateValues, HostileFieldsGiveValuesOrAFloatingPointError) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* name;
    void (*spoil)(anim::clsAnimateValues&, fakes::FakeClock&);
    bool fails;
  };
  const Case cases[] = {
      {"range infinite", [](auto& v, auto&) { v.maxa = kInf; }, true},
      {"range the largest single", [](auto& v, auto&) { v.maxb = std::numeric_limits<float>::max(); }, false},
      {"target infinite", [](auto& v, auto&) { v.newb = -kInf; }, true},
      {"leg of negative length", [](auto& v, auto&) { v.renewseconds = -2; }, false},
      {"leg of no length", [](auto& v, auto&) { v.renewseconds = 0; }, true},
      {"leg of no number", [](auto& v, auto&) { v.renewseconds = std::nanf(""); }, true},
      {"leg began in the future", [](auto&, auto& clock) { clock.now = kStart - 500; }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::FakeClock clock;
    fakes::ScriptedRandom random;
    anim::clsAnimateValues values(clock, random);
    clock.now = kStart;
    values.Init(20, 40);
    c.spoil(values, clock);
    bool failed = false;
    for (int tick = 0; tick < 50 && !failed; ++tick, clock.now += 0.1) {
      try {
        EXPECT_FALSE(std::isnan(values.GetA()));
        EXPECT_FALSE(std::isnan(values.GetB()));
        values.Update();
      } catch (const runtime::Error& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FloatingPoint);
        failed = true;
      }
    }
    EXPECT_EQ(failed, c.fails);
  }
}

TEST(AnimateValuesInit, ConvertsAnyNumberToSingleOrRaises) {
  struct Case {
    const char* name;
    void (*init)(anim::clsAnimateValues&);
    bool fails;
    float maxa, maxb;  // after the call
  };
  const Case cases[] = {
      {"small integers", [](auto& v) { v.Init(int16_t{20}, int16_t{40}); }, false, 20, 40},
      {"mixed types", [](auto& v) { v.Init(2.5f, uint64_t{1} << 40); }, false, 2.5f, 0x1p40f},
      {"rounded to single", [](auto& v) { v.Init(0.1, 1e38L); }, false, 0.1f, 1e38f},
      {"a too large", [](auto& v) { v.Init(1e39, 5); }, true, 0, 0},
      {"b too large keeps a", [](auto& v) { v.Init(20, -1e39); }, true, 20, 0},
      {"beyond double", [](auto& v) { v.Init(1e4000L, 5); }, true, 0, 0},
      {"not a number", [](auto& v) { v.Init(std::nan(""), 5); }, true, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::FakeClock clock;
    fakes::ScriptedRandom random;
    anim::clsAnimateValues values(clock, random);
    if (c.fails) {
      EXPECT_THROW(c.init(values), runtime::Error);
      EXPECT_EQ(random.draws, 0);
    } else {
      c.init(values);
    }
    EXPECT_EQ(values.maxa, c.maxa);
    EXPECT_EQ(values.maxb, c.maxb);
  }
}

// The real generator, counting its draws.
class CountingGenerator final : public runtime::RandomSource {
 public:
  float Rnd() override {
    ++draws;
    return generator_.Rnd();
  }

  int draws = 0;

 private:
  runtime::Generator generator_;
};

// Runs the window's tick against a clock that counts seconds since midnight,
// from the given time of day, and follows the values and renewals.
class Ticking {
 public:
  explicit Ticking(double firstSecond) : first_(firstSecond) {
    clock_.now = first_;
    values_.Init(20, 40);
  }

  // Runs the ticks; every A and B must stay in its range but for the
  // overshoot at the end of a leg, at most 5 % of the leg.
  void Run(int64_t ticks) {
    for (int64_t i = 0; i < ticks; ++i, ++tick_) {
      clock_.now = std::fmod(first_ + jumped_ + static_cast<double>(tick_) / 10.0, 86400.0);
      const float a = values_.GetA();
      const float b = values_.GetB();
      ASSERT_GE(a, std::min(values_.froma, values_.newa) - 0.05f * 20) << "tick " << tick_;
      ASSERT_LE(a, std::max(values_.froma, values_.newa) + 0.05f * 20) << "tick " << tick_;
      ASSERT_GE(b, std::min(values_.fromb, values_.newb) - 0.05f * 40) << "tick " << tick_;
      ASSERT_LE(b, std::max(values_.fromb, values_.newb) + 0.05f * 40) << "tick " << tick_;
      ASSERT_TRUE(a >= -1 && a <= 21 && b >= -2 && b <= 42) << "tick " << tick_;
      values_.Update();
    }
  }

  int Renewals() const { return (random_.draws - 4) / 2; }

  // Moves the clock forward, as a resume from suspend or a time server does.
  void Jump(double seconds) { jumped_ += seconds; }

 private:
  double first_;
  double jumped_ = 0;
  int64_t tick_ = 0;
  fakes::FakeClock clock_;
  CountingGenerator random_;
  anim::clsAnimateValues values_{clock_, random_};
};

TEST(AnimateValuesMidnight, LegsGoOnRenewingEveryTwoSecondsAfterMidnight) {
  Ticking ticking(86400.0 - 30.0);
  ticking.Run(300);
  const int beforeMidnight = ticking.Renewals();
  ticking.Run(600);
  // A leg lasts 2.1 s at 10 ticks a second; the restart may end one early.
  EXPECT_GE(ticking.Renewals() - beforeMidnight, 60 / 2.1 - 1);
  EXPECT_LE(ticking.Renewals() - beforeMidnight, 60 / 2.1 + 2);
}

TEST(AnimateValuesMidnight, TwoDaysOfTicksRenewAtTheExpectedRate) {
  const auto started = std::chrono::steady_clock::now();
  Ticking ticking(12 * 3600.0);
  constexpr int64_t kTicks = int64_t{48} * 3600 * 10;
  ticking.Run(kTicks);
  // A leg lasts 2.0 or 2.1 s: the leg's start is stored in single precision.
  EXPECT_GE(ticking.Renewals(), kTicks / 21);
  EXPECT_LE(ticking.Renewals(), kTicks / 20);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}

TEST(AnimateValuesClockJump, ValuesStayInRangeAndLegsRenewAfterTheClockJumpsForward) {
  for (double jump : {5.0, 3600.0, 10 * 3600.0}) {
    SCOPED_TRACE(jump);
    Ticking ticking(kStart);
    ticking.Run(10);  // halfway through the first leg
    ticking.Jump(jump);
    ticking.Run(100);
    // The leg found past its end renews at once, then one every 2.1 s.
    EXPECT_GE(ticking.Renewals(), 5);
  }
}

}  // namespace
