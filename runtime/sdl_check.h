#pragma once

#include <SDL.h>

#include "runtime/error.h"

namespace runtime {

[[noreturn]] inline void RaiseHostError() { throw Error(ErrorKind::Host, SDL_GetError()); }

// Raises a host error with SDL's message when an SDL call reports failure.
inline void CheckSdl(int status) {
  if (status < 0) RaiseHostError();
}

template <typename T>
T* CheckSdl(T* created) {
  if (created == nullptr) RaiseHostError();
  return created;
}

}  // namespace runtime
