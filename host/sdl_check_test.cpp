#include "host/sdl_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CheckSdl, FailuresSayWhatFailedAndWhyNeverAnOlderReason) {
  struct Case {
    const char* name;
    int (*call)();
    const char* message;  // empty for success
  };
  const Case cases[] = {
      {"success", [] { return 0; }, ""},
      {"with a reason", [] { return SDL_SetError("the server went away"); }, "doing it: the server went away"},
      {"without a reason", [] { return -1; }, "doing it: no reason given"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SDL_SetError("an older failure");
    std::string message;
    try {
      host::CheckSdl("doing it", c.call);
    } catch (const runtime::Error& error) {
      EXPECT_EQ(error.kind(), runtime::ErrorKind::Host);
      message = error.what();
    }
    EXPECT_EQ(message, c.message);
  }
  SDL_SetError("an older failure");
  EXPECT_THROW(host::CheckSdl("finding it", [] { return static_cast<SDL_Window*>(nullptr); }), runtime::Error);
}

}  // namespace
