#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/frame_bench.h"
#include "bench/page_bench.h"
#include "bench/wayland_bench.h"
#include "bench/window_bench.h"

namespace {

// A program that costs a few milliseconds of processor time a second is
// measured for a minute beside the plain program: over 20 s, rounds of the
// same build gave ratios from 0.44x to 0.71x.
constexpr auto kMeasured = std::chrono::seconds(60);
constexpr auto kMeasuredLarge = std::chrono::seconds(30);
constexpr auto kMeasuredBriefly = std::chrono::seconds(10);
constexpr auto kPageMeasured = std::chrono::seconds(15);

void Row(const char* what, const std::string& measured, const char* target) {
  std::printf("%-44s %14s   %s\n", what, measured.c_str(), target);
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::fprintf(
      stderr,
      "Timing frames, then the program in a window, on a large screen and on Wayland, then the page: about four "
      "minutes.\n");
  const FrameCosts frames = MeasureFrames(argc, argv);
  // The program is this build's, or the one FRACTAL_TREE_UNDER_TEST names;
  // beside it, the plain SDL program that draws the same tree.
  const char* chosen = std::getenv("FRACTAL_TREE_UNDER_TEST");
  const std::string program = chosen ? chosen : FRACTAL_TREE_PROGRAM;
  const WindowCosts window = MeasureWindow(program, {.measured = kMeasured,
                                                     .unseen = kMeasuredBriefly,
                                                     .systemCalls = kMeasuredBriefly,
                                                     .beside = PLAIN_SDL_PROGRAM});
  const WindowCosts scaled = MeasureWindow(program, {.scale = 2, .measured = kMeasuredBriefly});
  const WindowCosts root = MeasureWindow(program, {.measured = kMeasuredLarge,
                                                   .root = true,
                                                   .screen = "3840x2160x24",
                                                   .beside = PLAIN_SDL_PROGRAM,
                                                   .watched = false});
  const WaylandCosts wayland = MeasureWayland(program, kMeasuredBriefly);
  const PageCosts pages = MeasurePages(kPageMeasured);

  Row("What", "Measured", "Target");
  Row("Frame: clear and 363 segments", Format("%.1f us", frames.frame), "");
  Row("Tick: Timer1_Timer", Format("%.1f us", frames.tick), "");
  Row("Plain reference frame", Format("%.1f us", frames.reference), "");
  Row("Frame / reference", Format("%.2fx", frames.frame / frames.reference), "at most 1.5x");
  Row("Frame at scale 2, enlarged into the window", Format("%.1f us", frames.frameAtScale2), "");
  if (pages.skipped.empty()) {
    Row("Chromium's CPU share, a blank page", Format("%.2f %%", pages.blankPercent), "");
    Row("The page, beyond a blank page's", Format("%.2f %%", pages.pagePercent), "");
    Row("Plain JavaScript page, beyond a blank page's", Format("%.2f %%", pages.referencePercent), "");
    Row("Page, against the plain JavaScript page", Format("%.2fx", pages.pagePercent / pages.referencePercent),
        "at most 0.7x");
    Row("The page at device scale 2, beyond a blank page's", Format("%.2f %%", pages.pageAtScale2Percent), "");
  } else {
    std::printf("Page measurements skipped: %s\n", pages.skipped.c_str());
  }
  if (!window.skipped.empty()) {
    std::printf("Window measurements skipped: %s\n", window.skipped.c_str());
    return 0;
  }
  const std::string seconds = std::to_string(kMeasured.count()) + " s";
  Row(("CPU share of one core, " + seconds + " after 2 s").c_str(), Format("%.2f %%", window.cpuPercent),
      "at most 0.15 %");
  Row("X server's CPU share, for that window", Format("%.2f %%", window.serverCpuPercent), "");
  Row("CPU share, the plain SDL program beside it", Format("%.2f %%", window.besideCpuPercent), "");
  Row("Own window, against the plain SDL program", Format("%.2fx", window.cpuPercent / window.besideCpuPercent),
      "at most 0.6x");
  Row("System calls a tick", Format("%.1f", window.systemCallsPerTick), "at most 6");
  Row("CPU share at scale 2", Format("%.2f %%", scaled.cpuPercent), "at most 0.3 %");
  Row("CPU share, --root on 3840 x 2160 (picture 5x)", Format("%.2f %%", root.cpuPercent), "");
  Row("X server's CPU share, for --root", Format("%.2f %%", root.serverCpuPercent), "");
  Row("Both, for --root", Format("%.2f %%", root.cpuPercent + root.serverCpuPercent), "");
  const double plainRoot = root.besideCpuPercent + root.besideServerCpuPercent;
  Row("Both, the plain SDL program --root beside it", Format("%.2f %%", plainRoot), "");
  Row("--root, against the plain SDL program", Format("%.2fx", (root.cpuPercent + root.serverCpuPercent) / plainRoot),
      "at most 0.15x");
  Row("Resident memory (VmRSS), --root", Format("%.1f MB", root.residentMb), "at most 45 MB");
  if (wayland.skipped.empty()) {
    Row("CPU share on Wayland, under cage", Format("%.2f %%", wayland.cpuPercent), "");
    Row("cage's CPU share, for that window", Format("%.2f %%", wayland.compositorCpuPercent), "");
    Row("Resident memory (VmRSS) on Wayland", Format("%.1f MB", wayland.residentMb), "");
  } else {
    std::printf("Wayland measurements skipped: %s\n", wayland.skipped.c_str());
  }
  Row("CPU share with the window unmapped", Format("%.3f %%", window.unseenCpuPercent), "a third of shown");
  Row("Resident memory (VmRSS)", Format("%.1f MB", window.residentMb), "at most 14 MB");
  Row("Peak resident memory (VmHWM)", Format("%.1f MB", window.peakResidentMb), "at most 14 MB");
  Row("Start to window mapped", Format("%.0f ms", window.mappedMs), "");
  Row("Start to first frame shown", Format("%.0f ms", window.firstFrameMs), "at most 250 ms");
  Row("Tick interval, median", Format("%.1f ms", window.medianTickMs), "100 +- 1 ms");
  Row("Tick interval, 99th percentile", Format("%.1f ms", window.p99TickMs), "under 110 ms");
  Row("Tick interval, longest", Format("%.1f ms", window.longestTickMs), "");
  Row(("Ticks in " + seconds).c_str(), std::to_string(window.ticks) + " of " + std::to_string(window.expectedTicks),
      "600 +- 1 a minute");
}
