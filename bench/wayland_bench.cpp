#include "bench/wayland_bench.h"

#include <fstream>
#include <thread>

#include "testing/unprivileged.h"
#include "testing/x_session.h"

namespace {

constexpr auto kWarmUp = std::chrono::seconds(2);
constexpr auto kStart = std::chrono::seconds(5);

// The first child of a process, once it has one.
pid_t ChildOf(pid_t parent) {
  const auto deadline = std::chrono::steady_clock::now() + kStart;
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream children("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children");
    pid_t child = 0;
    if (children >> child) return child;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return 0;
}

}  // namespace

WaylandCosts MeasureWayland(const std::string& program, std::chrono::seconds measured) {
  WaylandCosts costs;
  if (!xsession::OnPath("cage")) {
    costs.skipped = "cage is not installed";
    return costs;
  }
  unprivileged::Folder folder(program);
  xsession::Process cage(
      folder.Command(unprivileged::kHeadlessCompositor,
                     {"cage", "--", "env", "SDL_VIDEODRIVER=wayland", (folder.path() / "fractal-tree").string()}),
      std::nullopt);
  const pid_t shown = ChildOf(cage.pid());
  if (shown == 0) {
    costs.skipped = "the program did not start under cage: " + cage.Errors();
    return costs;
  }
  std::this_thread::sleep_for(kWarmUp);
  const double programBefore = xsession::CpuSeconds(shown), cageBefore = xsession::CpuSeconds(cage.pid());
  std::this_thread::sleep_for(measured);
  const double seconds = static_cast<double>(measured.count());
  costs.cpuPercent = 100 * (xsession::CpuSeconds(shown) - programBefore) / seconds;
  costs.compositorCpuPercent = 100 * (xsession::CpuSeconds(cage.pid()) - cageBefore) / seconds;
  costs.residentMb = xsession::StatusMegabytes(shown, "VmRSS");
  return costs;
}
