// The page in a real browser: Debian's Chromium, headless, driven over the
// DevTools protocol in real time, on a web server on 127.0.0.1 that the test
// starts.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "testing/devtools.h"
#include "testing/pixels.h"
#include "testing/unprivileged.h"
#include "testing/x_session.h"

namespace {

using namespace std::chrono_literals;

constexpr int kPageWidth = 500, kPageHeight = 450;  // CSS pixels
constexpr int kWidth = 342, kHeight = 366;          // the canvas, in CSS pixels
constexpr int kFirstFramePixels = 400;              // more than the first frame, a single line, has

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

// Kept by the page before its own scripts run: the first picture put on a
// canvas stays, every later one is dropped, so that a screenshot taken at
// leisure shows the first frame as the browser shows it.
constexpr const char* kKeepFirstFrame = R"(
  window.framesShown = 0;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...picture) {
    if (window.framesShown++ === 0) put.apply(this, picture);
  };
)";

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
    browser_.emplace(profile_.path() / "profile");
  }

  devtools::Page Open(double ratio = 1, const std::string& script = "") {
    return browser_->Open("http://127.0.0.1:" + std::to_string(port_) + "/", kPageWidth, kPageHeight, ratio, script);
  }

  std::unique_ptr<host::SoftwareSurface> Screenshot(devtools::Page& page) {
    return page.Screenshot(profile_.path() / "shot.png");
  }

  unprivileged::Folder profile_;
  int port_ = 0;
  std::optional<xsession::Process> server_;
  std::optional<devtools::Browser> browser_;
};

constexpr int kLeft = (kPageWidth - kWidth) / 2, kTop = (kPageHeight - kHeight) / 2;

TEST_F(Page, IsTitledAndShowsTheFirstFrameExactlyAtEveryDeviceScale) {
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    auto page = Open(scale, kKeepFirstFrame);
    EXPECT_EQ(page.Evaluate("document.title"), "Fractal Tree");
    ASSERT_TRUE(page.WaitFor("window.framesShown > 0"));
    const auto shot = Screenshot(page);
    ASSERT_EQ(shot->width(), kPageWidth * scale);
    const auto expected = pixels::FirstFrameShown(kWidth * scale, kHeight * scale, {scale, 0, 0});
    EXPECT_EQ(pixels::PixelsUnlike(*shot, *expected, kLeft * scale, kTop * scale), 0);
  }
}

// Once the tree has opened out, a later picture differs.
TEST_F(Page, TreeSways) {
  auto page = Open();
  const auto treePixels = [&](const host::SoftwareSurface& shot) {
    return pixels::CountTreePixels(*pixels::Part(shot, kLeft, kTop, kWidth, kHeight));
  };
  auto first = Screenshot(page);
  for (int i = 0; i < 100 && treePixels(*first) <= kFirstFramePixels; ++i) {
    std::this_thread::sleep_for(50ms);
    first = Screenshot(page);
  }
  ASSERT_GT(treePixels(*first), kFirstFramePixels) << "the tree never opens out";
  std::this_thread::sleep_for(300ms);
  EXPECT_NE(pixels::All(*first), pixels::All(*Screenshot(page))) << "the tree does not move";
}

}  // namespace
