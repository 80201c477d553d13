#include <cstdio>

#include "bench/frame_bench.h"

int main(int argc, char** argv) {
  const FrameCosts frames = MeasureFrames(argc, argv);
  std::printf("\n%-40s %10s\n", "What", "Measured");
  std::printf("%-40s %7.1f us\n", "Frame (clear and 363 segments)", frames.frame);
  std::printf("%-40s %7.1f us\n", "Tick (Timer1_Timer)", frames.tick);
  std::printf("%-40s %7.1f us\n", "Plain reference frame", frames.reference);
  std::printf("%-40s %9.2fx\n", "Frame / reference", frames.frame / frames.reference);
}
