#include "app/form1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/icon.h"
#include "host/software_surface.h"
#include "runtime/handler.h"
#include "testing/fakes.h"
#include "testing/pixels.h"

namespace {

using runtime::Rgb;

constexpr double kLoadTime = 1000.0;

std::vector<fakes::DrawnLine> TreeLines(float tilt, float spread) {
  fakes::RecordingSurface surface;
  tree::FractalTree(surface, tilt, spread).DrawWhole();
  return surface.lines;
}

class Form1Test : public ::testing::Test {
 protected:
  // Loads the window with draws that make the first leg run from A = 2,
  // B = 8 to A = 6, B = 16.
  void Load() {
    clock.now = kLoadTime;
    form.Form_Load();
  }

  fakes::FakeClock clock;
  fakes::ScriptedRandom random{{0.1f, 0.2f, 0.3f, 0.4f}};
  fakes::RecordingSurface recording;
  Form1 form{{recording, clock, random}};
};

TEST_F(Form1Test, EachTickDrawsWithTheAnglesOfThePreviousTick) {
  Load();
  EXPECT_EQ(random.draws, 4);

  clock.now = kLoadTime + 1.0;  // halfway: A = 4, B = 12
  form.Timer1_Timer();
  EXPECT_EQ(recording.clears, 1);
  EXPECT_EQ(recording.lines, TreeLines(0, 0));

  clock.now = kLoadTime + 1.5;  // A = 5, B = 14
  form.Timer1_Timer();
  EXPECT_EQ(recording.clears, 2);
  EXPECT_EQ(recording.lines, TreeLines(4 - 10, 12));

  form.Timer1_Timer();
  EXPECT_EQ(recording.lines, TreeLines(5 - 10, 14));
}

TEST_F(Form1Test, TickRenewsTheLegOnceTwoSecondsHavePassed) {
  Load();
  for (double seconds : {0.5, 1.0, 1.5, 2.0}) {
    clock.now = kLoadTime + seconds;
    form.Timer1_Timer();
  }
  EXPECT_EQ(random.draws, 4);
  clock.now = kLoadTime + 2.25;
  form.Timer1_Timer();
  EXPECT_EQ(random.draws, 6);
}

TEST_F(Form1Test, ErrorInATickReachesTheHostAsOneLineAndAFailingStatus) {
  Load();
  clock.now = std::nan("");
  std::string errors;
  const int status = runtime::RunHandler(
      Form1::kSettings.caption,
      [&] {
        form.Timer1_Timer();
        return 0;
      },
      [&](std::string_view line) { errors += line; });
  EXPECT_NE(status, 0);
  EXPECT_EQ(errors, "Fractal Tree: Invalid floating-point operation");
  EXPECT_EQ(recording.lines.size(), 363u) << "the frame drawn before the error stays";
}

TEST(Form1, FirstTickDrawsTheVerticalLineOnTheRealSurface) {
  const auto& settings = Form1::kSettings;
  host::SoftwareSurface surface(settings.width, settings.height, settings.background);
  fakes::FakeClock clock;
  fakes::ScriptedRandom random{{0.9f, 0.9f, 0.1f, 0.1f}};
  Form1 form({surface, clock, random});
  form.Form_Load();
  surface.Line(0, 0, 341, 365, 0xFFFFFF);  // cleared by the tick
  form.Timer1_Timer();

  host::SoftwareSurface reference(settings.width, settings.height, settings.background);
  reference.Cls();
  tree::FractalTree(reference).DrawWhole();
  EXPECT_EQ(pixels::All(surface), pixels::All(reference));
  EXPECT_EQ(pixels::CountTreePixels(surface), 301);
}

TEST(Form1, IconShowsTheTreeInItsPalette) {
  host::SoftwareSurface icon(kIconSize, kIconSize, 0);
  icon.Cls();
  PaintIcon(icon, kIconSize);
  EXPECT_GT(pixels::CountTreePixels(icon), kIconSize * kIconSize / 10);
}

}  // namespace
