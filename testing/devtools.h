#pragma once

// Headless Chromium driven over the DevTools protocol, in real time. The
// protocol runs on a pair of pipes: commands go to the browser's descriptor 3
// and answers and events come from its descriptor 4, each a JSON message
// ended by a NUL byte.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host/png.h"
#include "testing/x_session.h"

namespace devtools {

using Json = nlohmann::json;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

inline std::string DecodeBase64(const std::string& text) {
  static constexpr std::string_view kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned bits = 0;
  int count = 0;
  for (char c : text) {
    const auto digit = kDigits.find(c);
    if (digit == std::string_view::npos) continue;  // padding
    bits = (bits << 6) | static_cast<unsigned>(digit);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes.push_back(static_cast<char>((bits >> count) & 0xff));
    }
  }
  return bytes;
}

// A folder served over HTTP on 127.0.0.1, by Python's own web server.
class Server {
 public:
  explicit Server(const std::string& folder) : port_(FreePort()) {
    process_.emplace(std::vector<std::string>{"python3", "-m", "http.server", std::to_string(port_), "--bind",
                                              "127.0.0.1", "--directory", folder},
                     std::nullopt);
    for (int i = 0; i < 100 && !Serving(); ++i) std::this_thread::sleep_for(50ms);
  }

  bool Serving() const {
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port_);
    const bool connected = connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(client);
    return connected;
  }

  std::string Address(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::string Errors() { return process_->Errors(); }

 private:
  static sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
  }

  // A port that nothing listens on.
  static int FreePort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      address.sin_port = 0;
    }
    close(probe);
    return ntohs(address.sin_port);
  }

  int port_;
  std::optional<xsession::Process> process_;
};

class Browser;

// One tab of the browser, at the size and device pixel ratio it was opened with.
class Page {
 public:
  Page(Browser& browser, std::string session) : browser_(browser), session_(std::move(session)) {}

  Json Call(const std::string& method, const Json& params = Json::object());

  // The value of a JavaScript expression, promises awaited.
  Json Evaluate(const std::string& expression) {
    const Json answer =
        Call("Runtime.evaluate", {{"expression", expression}, {"awaitPromise", true}, {"returnByValue", true}});
    if (answer.contains("exceptionDetails")) throw std::runtime_error(answer["exceptionDetails"].dump());
    return answer["result"].value("value", Json());
  }

  // Waits until the expression is true, up to the limit; says whether it became so.
  bool WaitFor(const std::string& expression, std::chrono::milliseconds limit = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (Evaluate(expression) == true) return true;
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }

  // The page as shown, in device pixels.
  std::unique_ptr<host::SoftwareSurface> Screenshot(const fs::path& file) {
    std::ofstream(file, std::ios::binary) << DecodeBase64(Call("Page.captureScreenshot")["data"]);
    return host::LoadPng(file.string());
  }

 private:
  Browser& browser_;
  std::string session_;
};

class Browser {
 public:
  // Starts Chromium with a profile in the folder given.
  explicit Browser(const fs::path& profile, const std::vector<std::string>& flags = {}) {
    int commands[2], answers[2];
    if (pipe(commands) != 0 || pipe(answers) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      setpgid(0, 0);  // a group of its own, which ends with it
      dup2(commands[0], 3);
      dup2(answers[1], 4);
      for (int fd : {commands[0], commands[1], answers[0], answers[1]}) {
        if (fd > 4) close(fd);
      }
      const int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
      std::vector<std::string> argv = {"chromium",
                                       "--headless",
                                       "--no-sandbox",
                                       "--disable-gpu",
                                       "--no-first-run",
                                       "--disable-background-networking",
                                       "--disable-component-update",
                                       "--disable-sync",
                                       "--remote-debugging-pipe",
                                       "--user-data-dir=" + profile.string()};
      argv.insert(argv.end(), flags.begin(), flags.end());
      argv.emplace_back("about:blank");
      std::vector<char*> args;
      args.reserve(argv.size() + 1);
      for (auto& argument : argv) args.push_back(argument.data());
      args.push_back(nullptr);
      execvp(args[0], args.data());
      _exit(127);
    }
    close(commands[0]);
    close(answers[1]);
    to_ = commands[1];
    from_ = answers[0];
  }

  ~Browser() {
    close(to_);
    close(from_);
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Browser(const Browser&) = delete;
  Browser& operator=(const Browser&) = delete;

  // The processor time the browser and every process it started have used
  // so far, in seconds.
  double CpuSeconds() const {
    double seconds = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
      const std::string pid = entry.path().filename();
      if (pid.find_first_not_of("0123456789") != std::string::npos || getpgid(std::stoi(pid)) != pid_) continue;
      seconds += xsession::CpuSeconds(std::stoi(pid));
    }
    return seconds;
  }

  // Sends a command, to a page's session if one is given, and returns its result.
  Json Call(const std::string& method, const Json& params = Json::object(), const std::string& session = "") {
    Json message = {{"id", ++lastId_}, {"method", method}, {"params", params}};
    if (!session.empty()) message["sessionId"] = session;
    const std::string text = message.dump() + '\0';
    if (write(to_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
      throw std::runtime_error("the browser is gone");
    }
    for (;;) {
      const Json answer = Read();
      if (answer.value("id", 0) != lastId_) continue;  // an event, or an answer no longer awaited
      if (answer.contains("error")) throw std::runtime_error(method + ": " + answer["error"].dump());
      return answer["result"];
    }
  }

  // A new tab showing the address, of the size given in CSS pixels, once it
  // has loaded; the script given, if any, runs before the page's own, and the
  // media features given (as prefers-reduced-motion) are the reader's. The
  // device pixel ratio is the browser's, as --force-device-scale-factor sets
  // it: emulated ratios lay pages out in whole CSS pixels, which a real one
  // does not.
  Page Open(const std::string& url, int width, int height, const std::string& script = "",
            const Json& media = Json::array()) {
    const std::string target = Call("Target.createTarget", {{"url", "about:blank"}})["targetId"];
    Page page(*this, Call("Target.attachToTarget", {{"targetId", target}, {"flatten", true}})["sessionId"]);
    page.Call("Emulation.setDeviceMetricsOverride",
              {{"width", width}, {"height", height}, {"deviceScaleFactor", 0}, {"mobile", false}});
    page.Call("Page.enable");
    if (!media.empty()) page.Call("Emulation.setEmulatedMedia", {{"features", media}});
    if (!script.empty()) page.Call("Page.addScriptToEvaluateOnNewDocument", {{"source", script}});
    page.Call("Page.navigate", {{"url", url}});
    if (!page.WaitFor("document.readyState === 'complete'")) throw std::runtime_error(url + " did not load");
    return page;
  }

 private:
  Json Read() {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    for (;;) {
      if (const auto end = pending_.find('\0'); end != std::string::npos) {
        Json message = Json::parse(pending_.substr(0, end));
        pending_.erase(0, end + 1);
        return message;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd ready{from_, POLLIN, 0};
      if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
        throw std::runtime_error("the browser did not answer");
      }
      char buffer[65536];
      const ssize_t n = read(from_, buffer, sizeof buffer);
      if (n <= 0) throw std::runtime_error("the browser is gone");
      pending_.append(buffer, static_cast<size_t>(n));
    }
  }

  pid_t pid_ = -1;
  int to_ = -1, from_ = -1;
  int lastId_ = 0;
  std::string pending_;
};

inline Json Page::Call(const std::string& method, const Json& params) {
  return browser_.Call(method, params, session_);
}

}  // namespace devtools
