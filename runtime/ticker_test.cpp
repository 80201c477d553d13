#include "runtime/ticker.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using runtime::Ticker;

const Ticker::Clock::time_point kStart{};

TEST(Ticker, TicksOnAFixedGridAndSkipsMissedTicksInsteadOfQueueingThem) {
  Ticker ticker(100ms, kStart);
  struct Step {
    std::chrono::microseconds at;
    bool due;
    int millisecondsLeft;  // after the step
  };
  const Step steps[] = {
      {0ms, false, 100},  {99'999us, false, 1}, {100ms, true, 100}, {100ms, false, 100},
      {230ms, true, 70},  {230ms, false, 70},   {300ms, true, 100},  // a late tick does not shift the grid
      {745ms, true, 55},  {790ms, false, 10},   {800ms, true, 100},  // three ticks missed, one run
      {1450ms, true, 50},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.at.count());
    EXPECT_EQ(ticker.Due(kStart + step.at), step.due);
    EXPECT_EQ(ticker.MillisecondsLeft(kStart + step.at), step.millisecondsLeft);
  }
}

}  // namespace
