#pragma once

// A test with an X server of its own and a connection to it, skipped where
// Xvfb is not installed.

#include <gtest/gtest.h>

#include <optional>

#include "testing/x_session.h"

class XvfbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!xsession::OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed, so no real window can be shown";
    server_.emplace();
    ASSERT_FALSE(server_->name().empty()) << "Xvfb did not start";
    display_ = XOpenDisplay(server_->name().c_str());
    ASSERT_NE(display_, nullptr);
  }

  void TearDown() override {
    if (display_) XCloseDisplay(display_);
  }

  std::optional<xsession::XServer> server_;
  Display* display_ = nullptr;
};
