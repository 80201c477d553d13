// The page in a real browser: Debian's Chromium, headless, on a web server
// on 127.0.0.1 that the test starts. Virtual time makes a screenshot's moment
// exact: 200 ms after loading, the page shows its first frame.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "host/png.h"
#include "testing/pixels.h"
#include "testing/unprivileged.h"
#include "testing/x_session.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kPageWidth = 500, kPageHeight = 450;  // CSS pixels
constexpr int kWidth = 342, kHeight = 366;          // the canvas, in CSS pixels
constexpr int kFirstFrameShown = 200;               // ms of virtual time: after one tick, before the second

// A port on 127.0.0.1 that nothing listens on.
int FreePort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (bind(probe, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    address.sin_port = 0;
  }
  close(probe);
  return ntohs(address.sin_port);
}

bool Accepts(int port) {
  const int client = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool connected = connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(client);
  return connected;
}

class Page : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* page = std::getenv("FRACTAL_TREE_WEB_DIR");
    if (!page) GTEST_SKIP() << "FRACTAL_TREE_WEB_DIR names no page: make web-test runs this";
    for (const char* tool : {"chromium", "python3"}) {
      if (!xsession::OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
    }
    port_ = FreePort();
    server_.emplace(std::vector<std::string>{"python3", "-m", "http.server", std::to_string(port_), "--bind",
                                             "127.0.0.1", "--directory", page},
                    std::nullopt);
    for (int i = 0; i < 100 && !Accepts(port_); ++i) std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(Accepts(port_)) << server_->Errors();
  }

  // Chromium as this machine runs it: headless, no network of its own, a
  // profile of its own.
  std::vector<std::string> Chromium(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv = {"chromium",
                                     "--headless",
                                     "--no-sandbox",
                                     "--disable-gpu",
                                     "--disable-quic",
                                     "--no-first-run",
                                     "--disable-background-networking",
                                     "--disable-component-update",
                                     "--disable-sync",
                                     "--user-data-dir=" + (profile_.path() / "profile").string(),
                                     "--window-size=" + std::to_string(kPageWidth) + "," + std::to_string(kPageHeight)};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    argv.push_back("http://127.0.0.1:" + std::to_string(port_) + "/");
    return argv;
  }

  // A screenshot of the page the virtual time given after loading it.
  std::unique_ptr<host::SoftwareSurface> Screenshot(int scale, int milliseconds) {
    const fs::path shot = profile_.path() / "shot.png";
    fs::remove(shot);
    xsession::Process chromium(
        Chromium({"--force-device-scale-factor=" + std::to_string(scale),
                  "--virtual-time-budget=" + std::to_string(milliseconds), "--screenshot=" + shot.string()}),
        std::nullopt);
    chromium.Wait(60s);
    if (!fs::exists(shot)) {
      ADD_FAILURE() << "no screenshot: " << chromium.Errors();
      return std::make_unique<host::SoftwareSurface>(1, 1, 0);
    }
    return host::LoadPng(shot.string());
  }

  unprivileged::Folder profile_;
  int port_ = 0;
  std::optional<xsession::Process> server_;
};

// The arguments as one line for the shell, each quoted.
std::string Quoted(const std::vector<std::string>& argv) {
  std::string line;
  for (const auto& argument : argv) line += "'" + argument + "' ";
  return line;
}

TEST_F(Page, IsTitledAndShowsTheFirstFrameExactlyAtEveryDeviceScale) {
  const fs::path dom = profile_.path() / "dom.html";
  xsession::Process dump({"sh", "-c", Quoted(Chromium({"--dump-dom"})) + "> '" + dom.string() + "'"}, std::nullopt);
  dump.Wait(60s);
  EXPECT_NE(profile_.Read("dom.html").find("<title>Fractal Tree</title>"), std::string::npos) << dump.Errors();
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    const auto shot = Screenshot(scale, kFirstFrameShown);
    ASSERT_EQ(shot->width(), kPageWidth * scale);
    const auto expected = pixels::FirstFrameShown(kWidth * scale, kHeight * scale, {scale, 0, 0});
    EXPECT_EQ(
        pixels::PixelsUnlike(*shot, *expected, (kPageWidth - kWidth) / 2 * scale, (kPageHeight - kHeight) / 2 * scale),
        0);
  }
}

TEST_F(Page, TreeSways) {
  const auto first = Screenshot(1, 1200);
  const auto later = Screenshot(1, 1700);
  constexpr int kLeft = (kPageWidth - kWidth) / 2, kTop = (kPageHeight - kHeight) / 2;
  EXPECT_GT(pixels::CountTreePixels(*pixels::Part(*first, kLeft, kTop, kWidth, kHeight)), 1000);
  EXPECT_NE(pixels::All(*first), pixels::All(*later)) << "the tree does not move";
}

}  // namespace
