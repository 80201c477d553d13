#include "bench/window_bench.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "runtime/scale.h"

#include "testing/x_session.h"

namespace {

using xsession::Steady;
using namespace std::chrono_literals;

constexpr auto kWarmUp = 2s;
constexpr const char* kCaption = "Fractal Tree";
constexpr int kPictureWidth = 342, kPictureHeight = 366;

double Milliseconds(Steady::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// System calls a tick of the process, from strace's count over the time given.
double SystemCallsPerTick(pid_t pid, std::chrono::seconds time) {
  if (!xsession::OnPath("strace")) return -1;
  const std::string log =
      (std::filesystem::temp_directory_path() / ("fractal-tree-strace-" + std::to_string(pid))).string();
  xsession::Process strace({"strace", "-c", "-f", "-o", log, "-p", std::to_string(pid)}, std::nullopt);
  std::this_thread::sleep_for(time);
  strace.Signal(SIGINT);
  strace.Wait(5s);
  std::ifstream file(log);
  std::string line, total;
  while (std::getline(file, line)) {
    if (line.ends_with(" total")) total = line;
  }
  std::filesystem::remove(log);
  std::istringstream fields(total);
  std::string percent, seconds, perCall;
  double calls = 0;
  fields >> percent >> seconds >> perCall >> calls;
  return calls / (static_cast<double>(time.count()) * 10);
}

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
  xsession::XServer server(run.screen);
  Display* display = server.name().empty() ? nullptr : XOpenDisplay(server.name().c_str());
  if (!display) {
    costs.skipped = "no X server could be started";
    return costs;
  }
  const std::string option = run.root ? "--root" : "--scale=" + std::to_string(run.scale);
  std::optional<xsession::XServer> besideServer;
  std::optional<xsession::Process> beside;
  if (!run.beside.empty()) {
    besideServer.emplace(run.screen);
    beside.emplace(std::vector<std::string>{run.beside, option}, besideServer->name());
  }
  const auto start = Steady::now();
  xsession::Process app({program, option}, server.name());
  const Window window = run.root ? DefaultRootWindow(display) : xsession::FindWindow(display, kCaption, 10s);
  costs.mappedMs = Milliseconds(Steady::now() - start);
  if (!window) {
    costs.skipped = "the program's window did not appear: " + app.Errors();
    XCloseDisplay(display);
    return costs;
  }
  XWindowAttributes attributes;
  XGetWindowAttributes(display, window, &attributes);
  const runtime::Placement placement = runtime::Fit(kPictureWidth, kPictureHeight, attributes.width, attributes.height);
  xsession::FrameWatcher watcher(display, window, placement.scale, placement.left, placement.top);

  const auto warm = start + kWarmUp;
  const auto end = warm + measured;
  std::vector<Steady::time_point> frames;
  while (const auto frame = watcher.Next(warm)) frames.push_back(*frame);
  if (!run.watched) watcher.Pause();
  const double cpuAtWarm = xsession::CpuSeconds(app.pid());
  const double serverCpuAtWarm = xsession::CpuSeconds(server.pid());
  const double besideCpuAtWarm = beside ? xsession::CpuSeconds(beside->pid()) : 0;
  const double besideServerCpuAtWarm = beside ? xsession::CpuSeconds(besideServer->pid()) : 0;
  if (run.watched) {
    while (const auto frame = watcher.Next(end)) frames.push_back(*frame);
  } else {
    std::this_thread::sleep_until(end);
  }
  // Every share is read at the same moment, over the same seconds.
  const auto percentSince = [&](pid_t pid, double atWarm) {
    return 100.0 * (xsession::CpuSeconds(pid) - atWarm) / std::chrono::duration<double>(measured).count();
  };
  costs.cpuPercent = percentSince(app.pid(), cpuAtWarm);
  costs.serverCpuPercent = percentSince(server.pid(), serverCpuAtWarm);
  if (beside) {
    costs.besideCpuPercent = percentSince(beside->pid(), besideCpuAtWarm);
    costs.besideServerCpuPercent = percentSince(besideServer->pid(), besideServerCpuAtWarm);
    beside.reset();
    if (costs.besideCpuPercent <= 0) {
      costs.skipped = "the program beside it did not run";
      XCloseDisplay(display);
      return costs;
    }
  }
  // Unwatched, one more frame shows that the program kept drawing.
  if (!run.watched && !watcher.Next(Steady::now() + 1s)) frames.clear();
  if (frames.empty()) {
    costs.skipped = "the program showed no frame, or stopped showing them";
    XCloseDisplay(display);
    return costs;
  }
  costs.firstFrameMs = Milliseconds(frames.front() - start);
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

  if (run.systemCalls.count() > 0) costs.systemCallsPerTick = SystemCallsPerTick(app.pid(), run.systemCalls);

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
