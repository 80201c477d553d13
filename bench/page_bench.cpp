#include "bench/page_bench.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "testing/devtools.h"
#include "testing/unprivileged.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kWarmUp = 3s;

// Chromium's share of one core while it shows the address given.
double BrowserPercent(const std::string& address, double ratio, std::chrono::seconds measured) {
  const unprivileged::Folder profile;
  devtools::Browser browser(profile.path(), {"--force-device-scale-factor=" + std::to_string(ratio)});
  browser.Open(address, 600, 600);
  std::this_thread::sleep_for(kWarmUp);
  const double before = browser.CpuSeconds();
  std::this_thread::sleep_for(measured);
  return 100.0 * (browser.CpuSeconds() - before) / std::chrono::duration<double>(measured).count();
}

}  // namespace

PageCosts MeasurePages(std::chrono::seconds measured) {
  PageCosts costs;
  const char* chosen = std::getenv("FRACTAL_TREE_WEB_DIR");
  const std::filesystem::path page = chosen ? chosen : FRACTAL_TREE_SOURCE_DIR "/build/web";
  for (const char* tool : {"chromium", "python3"}) {
    if (!xsession::OnPath(tool)) costs.skipped = std::string(tool) + " is not installed";
  }
  if (!std::filesystem::exists(page / "index.html")) costs.skipped = "no page in " + page.string() + ": make web";
  if (!costs.skipped.empty()) return costs;

  devtools::Server pageServer(page.string());
  devtools::Server referenceServer(FRACTAL_TREE_SOURCE_DIR "/bench/web");
  costs.blankPercent = BrowserPercent("about:blank", 1, measured);
  costs.pagePercent = BrowserPercent(pageServer.Address("/"), 1, measured) - costs.blankPercent;
  costs.referencePercent =
      BrowserPercent(referenceServer.Address("/plain-tree.html"), 1, measured) - costs.blankPercent;
  costs.pageAtScale2Percent = BrowserPercent(pageServer.Address("/"), 2, measured) - costs.blankPercent;
  return costs;
}
