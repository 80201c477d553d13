// The real program on Wayland: under cage, a wlroots compositor with a
// headless output of the test's own, with grim taking the screenshots.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/png.h"
#include "testing/pixels.h"
#include "testing/x_session.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// wlroots compositors refuse to run as root: a test run by root runs the
// compositor, and so the program, as this unprivileged user.
constexpr uid_t kUnprivileged = 65534;

// Runs under the compositor. Starts the program twice, once asked to use
// Wayland and once finding nothing else, takes two screenshots of each half a
// second apart, then ends it with SIGTERM and keeps its exit status.
constexpr const char* kScript = R"sh(#!/bin/sh
cd "$(dirname "$0")"
show() {
  name=$1
  shift
  env "$@" ./fractal-tree 2>"$name.errors" &
  program=$!
  sleep 1
  grim "$name-1.png"
  sleep 0.5
  grim "$name-2.png"
  kill -TERM $program
  wait $program
  echo $? >"$name.status"
}
show asked SDL_VIDEODRIVER=wayland
show found -u DISPLAY
)sh";

std::string Read(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// A folder in /tmp that the compositor's user may enter, even when the
// project's checkout is one that user may not.
class Folder {
 public:
  Folder() {
    std::string name = (fs::temp_directory_path() / "fractal-tree-wayland-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("mkdtemp");
    path_ = name;
  }
  ~Folder() { fs::remove_all(path_); }

  const fs::path& path() const { return path_; }

  void GiveTo(uid_t user) const {
    if (chown(path_.c_str(), user, user) != 0) throw std::runtime_error("chown");
    for (const auto& entry : fs::recursive_directory_iterator(path_)) {
      if (chown(entry.path().c_str(), user, user) != 0) throw std::runtime_error("chown");
    }
  }

 private:
  fs::path path_;
};

TEST(Wayland, ShowsTheSwayingTreeAndEndsWithZeroOnSigterm) {
  for (const char* tool : {"cage", "grim", "Xwayland"}) {
    if (!xsession::OnPath(tool)) GTEST_SKIP() << tool << " is not installed, so no Wayland compositor can be run";
  }
  Folder folder;
  const fs::path& here = folder.path();
  fs::copy_file(FRACTAL_TREE_PROGRAM, here / "fractal-tree");
  std::ofstream(here / "show.sh") << kScript;
  fs::permissions(here / "show.sh", fs::perms::owner_all);
  fs::create_directory(here / "run");
  fs::permissions(here, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  std::vector<std::string> argv;
  if (geteuid() == 0) {
    folder.GiveTo(kUnprivileged);
    const std::string id = std::to_string(kUnprivileged);
    argv = {"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"};
  }
  std::vector<std::string> environment = {
      "PATH=/usr/bin:/bin",    "HOME=" + here.string(), "XDG_RUNTIME_DIR=" + (here / "run").string(),
      "WLR_BACKENDS=headless", "WLR_RENDERER=pixman",   "WLR_LIBINPUT_NO_DEVICES=1"};
  // A sanitizer build checks the program as everywhere else, but for the
  // leaks: here they would be the Wayland libraries' (Mesa, libdecor, fontconfig).
  if (const char* sanitizer = getenv("ASAN_OPTIONS")) {
    environment.push_back(std::string("ASAN_OPTIONS=") + sanitizer + ":detect_leaks=0");
  }
  argv.insert(argv.end(), {"env", "-i"});
  argv.insert(argv.end(), environment.begin(), environment.end());
  argv.insert(argv.end(), {"cage", "--", (here / "show.sh").string()});
  xsession::Process cage(argv, std::nullopt);
  const std::optional<int> status = cage.Wait(30s);
  ASSERT_EQ(status, std::optional<int>(0)) << cage.Errors();

  for (const char* run : {"asked", "found"}) {
    SCOPED_TRACE(run);
    const std::string name = (here / run).string();
    EXPECT_EQ(Read(name + ".status"), "0\n");
    EXPECT_EQ(Read(name + ".errors").find("Fractal Tree:"), std::string::npos) << Read(name + ".errors");
    const auto first = host::LoadPng(name + "-1.png");
    const auto second = host::LoadPng(name + "-2.png");
    EXPECT_GT(pixels::CountTreePixels(*first), 1000);
    EXPECT_NE(pixels::All(*first), pixels::All(*second)) << "the tree does not move";
  }
}

}  // namespace
