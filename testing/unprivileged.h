#pragma once

// A folder of a test's own in /tmp, and the programs a test runs in it as an
// unprivileged user: compositors and screensavers refuse to run as root.

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace unprivileged {

namespace fs = std::filesystem;

inline constexpr uid_t kUser = 65534;

// The environment of a wlroots compositor with an output of its own and no
// screen, graphics card or input devices.
inline const std::vector<std::string> kHeadlessCompositor = {"WLR_BACKENDS=headless", "WLR_RENDERER=pixman",
                                                             "WLR_LIBINPUT_NO_DEVICES=1"};

// A folder in /tmp that the unprivileged user may enter, even when the
// project's checkout is one that user may not, holding a copy of the
// program, if one is given.
class Folder {
 public:
  explicit Folder(const std::string& program = "") {
    std::string name = (fs::temp_directory_path() / "fractal-tree-test-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("mkdtemp");
    path_ = name;
    if (!program.empty()) fs::copy_file(program, path_ / "fractal-tree");
    fs::create_directory(path_ / "run");
    fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
  }
  ~Folder() {
    std::error_code ignored;  // what is left, a program still writing it, goes with /tmp
    fs::remove_all(path_, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  const fs::path& path() const { return path_; }

  // Writes an executable script into the folder.
  void Script(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / name) << text;
    fs::permissions(path_ / name, fs::perms::owner_all);
  }

  // Whether a compositor run with the folder as its runtime folder has made
  // the socket named, waiting up to 5 seconds for it.
  bool SocketAppears(const std::string& name) const {
    for (int i = 0; i < 200 && !fs::exists(path_ / "run" / name); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return fs::exists(path_ / "run" / name);
  }

  std::string Read(const std::string& name) const {
    std::ifstream file(path_ / name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // The command line that runs a program with only the environment given,
  // as the unprivileged user where the test runs as root; the folder is
  // then given to that user.
  std::vector<std::string> Command(const std::vector<std::string>& environment,
                                   const std::vector<std::string>& program) const {
    std::vector<std::string> argv;
    if (geteuid() == 0) {
      for (const auto& entry : fs::recursive_directory_iterator(path_)) Give(entry.path());
      Give(path_);
      const std::string id = std::to_string(kUser);
      argv = {"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"};
    }
    argv.insert(argv.end(), {"env", "-i", "PATH=/usr/bin:/bin", "HOME=" + path_.string(),
                             "XDG_RUNTIME_DIR=" + (path_ / "run").string()});
    // A sanitizer build checks the program as everywhere else, but for the
    // leaks: here they would be the window system's libraries'.
    if (const char* sanitizer = getenv("ASAN_OPTIONS")) {
      argv.push_back(std::string("ASAN_OPTIONS=") + sanitizer + ":detect_leaks=0");
    }
    argv.insert(argv.end(), environment.begin(), environment.end());
    argv.insert(argv.end(), program.begin(), program.end());
    return argv;
  }

 private:
  static void Give(const fs::path& path) {
    if (chown(path.c_str(), kUser, kUser) != 0) throw std::runtime_error("chown " + path.string());
  }

  fs::path path_;
};

}  // namespace unprivileged
