#pragma once

#include <chrono>
#include <string>

// What showing the page costs the browser, against the plain JavaScript
// version of the tree: Chromium's processor time, all of its processes,
// less what a blank page costs it over the same time, as a share of one core.
struct PageCosts {
  std::string skipped;  // why nothing was measured; empty when measured
  double blankPercent = 0;
  double pagePercent = 0;
  double pageAtScale2Percent = 0;
  double referencePercent = 0;
};

// Measures the page that make web wrote, in headless Chromium, each for the
// time given after a warm-up.
PageCosts MeasurePages(std::chrono::seconds measured);
