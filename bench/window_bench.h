#pragma once

#include <chrono>
#include <string>

// What the real program costs while it runs in a window.
struct WindowCosts {
  std::string skipped;  // why nothing was measured; empty when measured
  double cpuPercent = 0;
  double residentMb = 0;
  double peakResidentMb = 0;
  double mappedMs = 0;      // from start to the window mapped
  double firstFrameMs = 0;  // from start to the first picture of the tree shown
  double medianTickMs = 0;
  double p99TickMs = 0;
  double longestTickMs = 0;
  int ticks = 0;
  int expectedTicks = 0;
  double unseenCpuPercent = 0;  // while the window is unmapped, as when minimized
  double serverCpuPercent = 0;  // the X server's, over the same time
  double systemCallsPerTick = 0;
  double besideCpuPercent = 0;        // the program run beside it, over the same time
  double besideServerCpuPercent = 0;  // that program's X server's
};

struct WindowRun {
  int scale = 1;  // the window's enlargement
  std::chrono::seconds measured;
  std::chrono::seconds unseen{0};  // then unmapped for this long; 0 for not at all
  bool root = false;               // drawing into the screen's root window, as a screensaver
  std::string screen = "1024x768x24";
  std::chrono::seconds systemCalls{0};  // then counting system calls for this long; 0 for not at all
  std::string beside{};                 // a program to measure over the same time, as it is asked to run; none if empty
  // Every frame watched over the measured time, for the ticks. Unwatched, the
  // X server's share is what the program alone costs it: the watch adds a
  // record of damage, an event and a read of a pixel a frame, about a quarter
  // more at --root, where the program beside it is not watched.
  bool watched = true;
};

// Runs the program under an X server of its own for a warm-up of 2 s and
// then for the time given, watching every frame it shows, unless asked not
// to, and then one more; then, if asked,
// counting its system calls, and for a time with its window unmapped. A
// program to compare with runs beside it under another X server, started
// together and measured over the same time, so that both meet the same
// load of the machine.
WindowCosts MeasureWindow(const std::string& program, const WindowRun& run);
