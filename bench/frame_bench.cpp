#include "bench/frame_bench.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/form1.h"
#include "host/software_surface.h"
#include "runtime/enlarge.h"
#include "testing/fakes.h"

namespace {

constexpr float kTilt = 5;
constexpr float kSpread = 25;
const int kWidth = Form1::kSettings.width;
const int kHeight = Form1::kSettings.height;

void DrawTree(runtime::Surface& surface) { tree::FractalTree(surface, kTilt, kSpread).DrawWhole(); }

void Frame(benchmark::State& state) {
  host::SoftwareSurface surface(kWidth, kHeight, 0);
  for (auto _ : state) {
    surface.Cls();
    DrawTree(surface);
  }
}

// The same frame shown on a desktop scaled to 200 %: drawn at its own size,
// then enlarged into the window's pixels.
void FrameAtScale2(benchmark::State& state) {
  host::SoftwareSurface picture(kWidth, kHeight, 0);
  host::SoftwareSurface window(2 * kWidth, 2 * kHeight, 0);
  const auto placement = runtime::Fit(kWidth, kHeight, window.width(), window.height());
  for (auto _ : state) {
    picture.Cls();
    DrawTree(picture);
    runtime::raster::Enlarge(picture.pixels(), window.pixels(), placement, picture.backgroundPixel());
  }
}

void Tick(benchmark::State& state) {
  host::SoftwareSurface surface(kWidth, kHeight, 0);
  runtime::SystemClock clock;
  runtime::Generator random;
  Form1 form({surface, clock, random});
  form.Form_Load();
  for (auto _ : state) {
    form.Timer1_Timer();
  }
}

// The floor: a plain clear of a pixel array and the same segments, drawn
// with the simplest integer line algorithm.
struct PlainSegment {
  int x1, y1, x2, y2;
  uint32_t colour;
};

std::vector<PlainSegment> TreeSegments() {
  fakes::RecordingSurface recording;
  DrawTree(recording);
  std::vector<PlainSegment> segments;
  for (const auto& line : recording.lines) {
    const auto rgb = runtime::Channels(line.colour);
    segments.push_back({static_cast<int>(std::lround(line.x1)), static_cast<int>(std::lround(line.y1)),
                        static_cast<int>(std::lround(line.x2)), static_cast<int>(std::lround(line.y2)),
                        static_cast<uint32_t>(rgb.red) << 16 | rgb.green << 8 | rgb.blue});
  }
  return segments;
}

void PlainLine(std::vector<uint32_t>& pixels, const PlainSegment& s) {
  const int dx = std::abs(s.x2 - s.x1), sx = s.x1 < s.x2 ? 1 : -1;
  const int dy = -std::abs(s.y2 - s.y1), sy = s.y1 < s.y2 ? 1 : -1;
  int x = s.x1, y = s.y1, error = dx + dy;
  while (true) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) pixels[static_cast<size_t>(y) * kWidth + x] = s.colour;
    if (x == s.x2 && y == s.y2) return;
    const int twice = 2 * error;
    if (twice >= dy) error += dy, x += sx;
    if (twice <= dx) error += dx, y += sy;
  }
}

void Reference(benchmark::State& state) {
  const std::vector<PlainSegment> segments = TreeSegments();
  std::vector<uint32_t> pixels(static_cast<size_t>(kWidth * kHeight));
  for (auto _ : state) {
    std::fill(pixels.begin(), pixels.end(), 0u);
    for (const auto& segment : segments) PlainLine(pixels, segment);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}

// Keeps the median of each benchmark's repetitions, and prints nothing.
class MedianReporter final : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
  }

  std::map<std::string, double> medians;
};

}  // namespace

FrameCosts MeasureFrames(int argc, char** argv) {
  benchmark::RegisterBenchmark("Frame", Frame)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("FrameAtScale2", FrameAtScale2)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Tick", Tick)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Reference", Reference)->Unit(benchmark::kMicrosecond);
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=15";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  args.insert(args.begin() + 1, {repetitions.data(), aggregates.data()});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return {reporter.medians["Frame"], reporter.medians["FrameAtScale2"], reporter.medians["Tick"],
          reporter.medians["Reference"]};
}
