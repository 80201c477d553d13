#pragma once

#include <SDL.h>

#include <string>
#include <string_view>
#include <type_traits>

#include "runtime/error.h"

namespace host {

// Raises a host error that says what failed and why, in SDL's words, or that
// no reason was given where SDL gives none.
[[noreturn]] inline void RaiseHostError(std::string_view doing) {
  const char* reason = SDL_GetError();
  throw runtime::Error(runtime::ErrorKind::Host,
                       std::string(doing) + ": " + (*reason != '\0' ? reason : "no reason given"));
}

// Makes an SDL call and raises a host error when it reports failure: a
// negative status or no object. The error left by earlier calls is cleared
// first, so that a reason is never an older failure's.
template <typename Call>
auto CheckSdl(std::string_view doing, Call call) {
  SDL_ClearError();
  const auto result = call();
  if constexpr (std::is_pointer_v<decltype(result)>) {
    if (result == nullptr) RaiseHostError(doing);
  } else {
    if (result < 0) RaiseHostError(doing);
  }
  return result;
}

}  // namespace host
