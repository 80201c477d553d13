#pragma once

// A test with an X server of its own, skipped where Xvfb is not installed.

#include <gtest/gtest.h>

#include <optional>

#include "runtime/test/x_session.h"

class XvfbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!xsession::OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed, so no real window can be shown";
    server_.emplace();
    ASSERT_FALSE(server_->name().empty()) << "Xvfb did not start";
  }

  std::optional<xsession::XServer> server_;
};
