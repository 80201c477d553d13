#pragma once

// The cost of one frame: median microseconds over repeated runs.
struct FrameCosts {
  double frame;          // clear and the tree's 363 segments on the real surface
  double frameAtScale2;  // the same, then enlarged twice into a window's pixels
  double tick;           // the window's whole tick handler
  double reference;      // the same frame written straight into a pixel array
};

FrameCosts MeasureFrames(int argc, char** argv);
