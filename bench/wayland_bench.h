#pragma once

#include <chrono>
#include <string>

// What the real program and its compositor cost while it shows its window
// natively on Wayland.
struct WaylandCosts {
  std::string skipped;  // why nothing was measured; empty when measured
  double cpuPercent = 0;
  double compositorCpuPercent = 0;
  double residentMb = 0;
};

// Runs the program under cage, with a headless output, for a warm-up of 2 s
// and then for the time given.
WaylandCosts MeasureWayland(const std::string& program, std::chrono::seconds measured);
