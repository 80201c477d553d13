#include "app/form1.h"

#include <chrono>

#include "app/icon.h"
#include "runtime/checked.h"

namespace {

using namespace std::chrono_literals;

// The ranges of the animated values: A becomes the tilt, shifted down by
// kTiltOffset so that the tree sways both ways; B becomes the spread.
constexpr int16_t kTiltRange = 20;
constexpr int16_t kSpreadRange = 40;
constexpr double kTiltOffset = 10;

}  // namespace

const host::WindowSettings Form1::kSettings{
    .caption = "Fractal Tree",
    .width = 342,
    .height = 366,
    .background = 0,
    .timerInterval = 100ms,
    .iconSize = kIconSize,
    .paintIcon = PaintIcon,
};

Form1::Form1(const host::Services& services)
    : FractalTree(services.surface), animvalues(services.clock, services.random) {}

void Form1::Form_Load() { animvalues.Init(kTiltRange, kSpreadRange); }

// Draws with the angles of the previous tick, then moves them on: the first
// frame is drawn with both angles 0.
void Form1::Timer1_Timer() {
  surface().Cls();
  DoIt(tree::kTrunkX, tree::kTrunkY, tree::kUp, 0, 0);
  tilt = checked::Single(animvalues.GetA() - kTiltOffset);
  spread = animvalues.GetB();
  animvalues.Update();
}
