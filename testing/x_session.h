#pragma once

// An X server of a test's own, and the programs it starts on it.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tree/fractal_tree.h"

namespace xsession {

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

inline bool OnPath(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// A child process, in a process group of its own with the processes it
// starts, which go with it; standard error is kept for the test to read.
// The environment given ("NAME=value") is added to the test's own.
class Process {
 public:
  Process(std::vector<std::string> argv, const std::optional<std::string>& display,
          const std::vector<std::string>& environment = {}, int keepFd = -1) {
    int errPipe[2];
    if (pipe(errPipe) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      setpgid(0, 0);
      dup2(errPipe[1], STDERR_FILENO);
      close(errPipe[0]);
      if (display) {
        setenv("DISPLAY", display->c_str(), 1);
      } else {
        unsetenv("DISPLAY");
      }
      unsetenv("WAYLAND_DISPLAY");
      // As if started from a terminal, whatever the test runner ignores.
      signal(SIGINT, SIG_DFL);
      signal(SIGTERM, SIG_DFL);
      unsetenv("SDL_VIDEODRIVER");
      unsetenv("GDK_SCALE");
      for (const auto& variable : environment) putenv(const_cast<char*>(variable.c_str()));
      if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
      std::vector<char*> args;
      args.reserve(argv.size() + 1);
      for (auto& arg : argv) args.push_back(arg.data());
      args.push_back(nullptr);
      execvp(args[0], args.data());
      _exit(127);
    }
    close(errPipe[1]);
    err_ = errPipe[0];
    fcntl(err_, F_SETFL, O_NONBLOCK);
  }

  ~Process() {
    if (pid_ > 0) kill(-pid_, SIGKILL);
    if (pid_ > 0 && !status_) waitpid(pid_, nullptr, 0);
    close(err_);
  }

  // The exit status once the process has exited within the time given.
  std::optional<int> Wait(Steady::duration limit) {
    const auto deadline = Steady::now() + limit;
    while (!status_ && Steady::now() < deadline) {
      int status;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      } else {
        std::this_thread::sleep_for(10ms);
      }
    }
    return status_;
  }

  pid_t pid() const { return pid_; }
  void Signal(int number) const { kill(pid_, number); }

  std::string Errors() {
    std::string text;
    char buffer[512];
    ssize_t n;
    while ((n = read(err_, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    return text;
  }

 private:
  pid_t pid_ = -1;
  int err_ = -1;
  std::optional<int> status_;
};

// The processor time a process has used so far, in seconds: all of its
// threads' (a process's own schedstat counts its first thread alone).
inline double CpuSeconds(pid_t pid) {
  double nanoseconds = 0;
  std::error_code gone;
  for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", gone)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double used = 0;
    schedstat >> used;
    nanoseconds += used;
  }
  return nanoseconds / 1e9;
}

// A memory figure of a running process from /proc, such as VmRSS, in megabytes.
inline double StatusMegabytes(pid_t pid, const std::string& key) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
  }
  return 0;
}

// Xvfb, started on a free display that it reports itself, with one screen
// of the size and depth given; with tcp, taking connections over TCP too,
// as a server on another machine does.
class XServer {
 public:
  explicit XServer(const std::string& screen = std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) +
                                               "x24",
                   bool tcp = false) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    process_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen,
                                              tcp ? "-listen" : "-nolisten", "tcp"},
                     std::nullopt, std::vector<std::string>{}, fds[1]);
    close(fds[1]);
    pollfd ready{fds[0], POLLIN, 0};
    char number[16] = {};
    if (poll(&ready, 1, 10000) == 1 && read(fds[0], number, sizeof number - 1) > 0) {
      name_ = ":" + std::string(number, strcspn(number, "\n"));
    }
    close(fds[0]);
  }

  const std::string& name() const { return name_; }
  // The display's name over TCP, as a client on another machine names it.
  std::string tcpName() const { return "127.0.0.1" + name_; }
  pid_t pid() const { return process_->pid(); }
  void Stop() { process_.reset(); }

 private:
  std::optional<Process> process_;
  std::string name_;
};

inline bool NextEvent(Display* display, Steady::time_point deadline, XEvent& event);

// A property of 32-bit items of a window, empty where it has none.
inline std::vector<long> Property(Display* display, Window window, const char* name) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, AnyPropertyType, &type,
                         &format, &count, &after, &data) == Success &&
      data && format == 32) {
    const auto* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return values;
}

// The viewable window with the given title under the window given, its
// frame's when a window manager put it in one; 0 for none.
inline Window FindUnder(Display* display, Window window, const std::string& caption) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes;
    if (XFetchName(display, children[i], &name) && name && std::string(name) == caption &&
        XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable) {
      found = children[i];
    }
    if (name) XFree(name);
    if (!found) found = FindUnder(display, children[i], caption);
  }
  if (children) XFree(children);
  return found;
}

// The viewable window with the given title, as soon as it appears: a
// window's mapping wakes the search, and so does every 10 ms, for a title
// set after the window was mapped.
inline Window FindWindow(Display* display, const std::string& caption, Steady::duration limit) {
  const auto deadline = Steady::now() + limit;
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  while (true) {
    // A window may go while it is looked at, as Wine's passing ones do.
    XSync(display, False);
    const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Window found = FindUnder(display, DefaultRootWindow(display), caption);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (found || Steady::now() >= deadline) return found;
    XEvent event;
    NextEvent(display, std::min(deadline, Steady::now() + 10ms), event);
  }
}

// Waits for the next X event until the deadline; false when none came.
inline bool NextEvent(Display* display, Steady::time_point deadline, XEvent& event) {
  while (!XPending(display)) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Steady::now()).count();
    if (left <= 0) return false;
    pollfd ready{ConnectionNumber(display), POLLIN, 0};
    poll(&ready, 1, static_cast<int>(left));
  }
  XNextEvent(display, &event);
  return true;
}

// Watches the frames a window shows, through the X damage extension: every
// complete update that shows the tree's trunk is a frame. The window shows
// the picture enlarged by the scale given, or reduced, its top-left corner at
// (left, top).
class FrameWatcher {
 public:
  FrameWatcher(Display* display, Window window, int scale = 1, int left = 0, int top = 0, int reduction = 1)
      : display_(display),
        window_(window),
        trunkX_(left + kTrunkX * scale / reduction),
        trunkY_(top + kTrunkY * scale / reduction) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window_, &attributes);
    colourBits_ = attributes.visual->red_mask | attributes.visual->green_mask | attributes.visual->blue_mask;
    int error = 0;
    if (!XDamageQueryExtension(display_, &damageEvent_, &error)) throw std::runtime_error("no damage extension");
    damage_ = XDamageCreate(display_, window_, XDamageReportNonEmpty);
  }

  // When the next frame was shown; empty once the deadline has passed. The
  // server tells of the first damage only, however many parts the frame is
  // drawn in: the frame is over after a pause, and the damage is then taken
  // back so that the next frame is told of again.
  std::optional<Steady::time_point> Next(Steady::time_point deadline) {
    if (damage_ == None) damage_ = XDamageCreate(display_, window_, XDamageReportNonEmpty);
    XEvent event;
    while (NextEvent(display_, deadline, event)) {
      if (event.type != damageEvent_ + XDamageNotify) continue;
      const auto shown = Steady::now();
      while (NextEvent(display_, Steady::now() + kPause, event)) {
      }
      XDamageSubtract(display_, damage_, None, None);
      if (ShowsTheTrunk()) return shown;
    }
    return std::nullopt;
  }

  // Stops watching until the next frame is asked for: the server keeps no
  // record of the window's damage and sends no event meanwhile.
  void Pause() {
    XDamageDestroy(display_, damage_);
    damage_ = None;
    XSync(display_, False);
    XEvent told;
    while (XCheckTypedEvent(display_, damageEvent_ + XDamageNotify, &told)) {
    }
  }

 private:
  // Longer than the parts of one frame take to arrive, far shorter than a
  // tick: a frame drawn by the X server comes as several requests, which a
  // busy machine may send some milliseconds apart.
  static constexpr auto kPause = 20ms;
  // A pixel of the trunk, drawn in every frame and black before the first.
  static constexpr int kTrunkX = static_cast<int>(tree::kTrunkX);
  static constexpr int kTrunkY = static_cast<int>(tree::kTrunkY) - 20;

  bool ShowsTheTrunk() {
    XImage* image = XGetImage(display_, window_, trunkX_, trunkY_, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    const bool trunk = (XGetPixel(image, 0, 0) & colourBits_) != 0;
    XDestroyImage(image);
    return trunk;
  }

  Display* display_;
  Window window_;
  int trunkX_;
  int trunkY_;
  unsigned long colourBits_;  // of a pixel, without alpha
  int damageEvent_ = 0;
  Damage damage_;
};

}  // namespace xsession
