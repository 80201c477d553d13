#include "host/loop_web.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include "host/loop.h"

namespace host {
namespace {

// One program runs in each instance of the module, so one loop.
std::function<std::optional<int>()> running;
int pending = 0;  // the browser's timeout that calls the next step; 0 for none
bool over = false;

void CallStep(void* /*unused*/) {
  pending = 0;
  if (over) return;
  if (running()) {
    over = true;
    emscripten_clear_timeout(pending);
  }
}

// The page's own changes that the program must see at once, whether or not
// a tick is due: shown or hidden, and the device's pixel ratio changed (the
// page zoomed, which resizes it too, or moved to another monitor).
EM_JS(void, WakeOnThePagesChanges, (), {
  document.addEventListener(
      'visibilitychange', function() { _fractal_tree_wake(); });
  addEventListener(
      'resize', function() { _fractal_tree_wake(); });
  function followRatio() {
    var ratio = matchMedia('(resolution: ' + devicePixelRatio + 'dppx)');
    ratio.addEventListener('change',
                           function() {
                             _fractal_tree_wake();
                             followRatio();
                           },
                           {once : true});
  }
  followRatio();
});

}  // namespace

void CallNextStepIn(int milliseconds) {
  emscripten_clear_timeout(pending);
  pending = milliseconds < 0 || over ? 0 : emscripten_set_timeout(CallStep, milliseconds, nullptr);
}

void WakeTheLoop() { CallNextStepIn(0); }

// Calls the first step at once; the browser calls the rest and this returns
// at once, keeping the program alive.
int DriveLoop(const std::function<std::optional<int>()>& step) {
  running = step;
  WakeOnThePagesChanges();
  WakeTheLoop();
  return 0;
}

}  // namespace host

extern "C" EMSCRIPTEN_KEEPALIVE void fractal_tree_wake() { host::WakeTheLoop(); }
