#include "bench/window_bench.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "testing/x_session.h"

namespace {

using xsession::Steady;
using namespace std::chrono_literals;

constexpr auto kWarmUp = 2s;
constexpr const char* kCaption = "Fractal Tree";

double Milliseconds(Steady::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<size_t>(std::ceil(fraction * static_cast<double>(values.size()))) - 1;
  return values[std::min(index, values.size() - 1)];
}

}  // namespace

WindowCosts MeasureWindow(const std::string& program, const WindowRun& run) {
  const std::chrono::seconds measured = run.measured;
  WindowCosts costs;
  if (!xsession::OnPath("Xvfb")) {
    costs.skipped = "Xvfb is not installed";
    return costs;
  }
  xsession::XServer server;
  Display* display = server.name().empty() ? nullptr : XOpenDisplay(server.name().c_str());
  if (!display) {
    costs.skipped = "no X server could be started";
    return costs;
  }
  const auto start = Steady::now();
  xsession::Process app({program, "--scale", std::to_string(run.scale)}, server.name());
  const Window window = xsession::FindWindow(display, kCaption, 10s);
  costs.mappedMs = Milliseconds(Steady::now() - start);
  if (!window) {
    costs.skipped = "the program's window did not appear: " + app.Errors();
    XCloseDisplay(display);
    return costs;
  }
  xsession::FrameWatcher watcher(display, window, run.scale);

  const auto warm = start + kWarmUp;
  const auto end = warm + measured;
  std::vector<Steady::time_point> frames;
  while (const auto frame = watcher.Next(warm)) frames.push_back(*frame);
  const double cpuAtWarm = xsession::CpuSeconds(app.pid());
  while (const auto frame = watcher.Next(end)) frames.push_back(*frame);
  if (frames.empty()) {
    costs.skipped = "the program showed no frame";
    XCloseDisplay(display);
    return costs;
  }
  costs.firstFrameMs = Milliseconds(frames.front() - start);
  const double cpu = xsession::CpuSeconds(app.pid()) - cpuAtWarm;
  costs.cpuPercent = 100.0 * cpu / std::chrono::duration<double>(measured).count();
  costs.residentMb = xsession::StatusMegabytes(app.pid(), "VmRSS");
  costs.peakResidentMb = xsession::StatusMegabytes(app.pid(), "VmHWM");

  std::vector<double> intervals;
  for (size_t i = 1; i < frames.size(); ++i) {
    if (frames[i - 1] >= warm) intervals.push_back(Milliseconds(frames[i] - frames[i - 1]));
  }
  costs.ticks = static_cast<int>(std::count_if(frames.begin(), frames.end(), [&](auto t) { return t >= warm; }));
  costs.expectedTicks = static_cast<int>(measured.count() * 10);
  costs.medianTickMs = Percentile(intervals, 0.5);
  costs.p99TickMs = Percentile(intervals, 0.99);
  costs.longestTickMs = Percentile(intervals, 1.0);

  if (run.unseen.count() > 0) {
    XUnmapWindow(display, window);
    XSync(display, False);
    std::this_thread::sleep_for(500ms);
    const double cpuAtUnmap = xsession::CpuSeconds(app.pid());
    std::this_thread::sleep_for(run.unseen);
    costs.unseenCpuPercent =
        100.0 * (xsession::CpuSeconds(app.pid()) - cpuAtUnmap) / std::chrono::duration<double>(run.unseen).count();
  }
  XCloseDisplay(display);
  return costs;
}
