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
// page zoomed, which resizes it too, or moved to another monitor). The
// listeners are kept so that the program's end takes them away.
EM_JS(void, WakeOnThePagesChanges, (), {
  var wake = function() { _fractal_tree_wake(); };
  var ratio;
  function followRatio() {
    ratio = matchMedia('(resolution: ' + devicePixelRatio + 'dppx)');
    ratio.addEventListener('change', onRatio, {once : true});
  }
  function onRatio() {
    wake();
    followRatio();
  }
  document.addEventListener('visibilitychange', wake);
  addEventListener('resize', wake);
  followRatio();
  Module['stopWaking'] = function() {
    document.removeEventListener('visibilitychange', wake);
    removeEventListener('resize', wake);
    ratio.removeEventListener('change', onRatio);
  };
});

EM_JS(void, StopWakingOnThePagesChanges, (), {
  if (Module['stopWaking']) Module['stopWaking']();
  delete Module['stopWaking'];
});

}  // namespace

void CallNextStepIn(int milliseconds) {
  emscripten_clear_timeout(pending);
  pending = milliseconds < 0 || over ? 0 : emscripten_set_timeout(CallStep, milliseconds, nullptr);
}

void WakeTheLoop() { CallNextStepIn(0); }

void EndTheLoop() {
  over = true;
  emscripten_clear_timeout(pending);
  pending = 0;
  StopWakingOnThePagesChanges();
  // The run goes with the last step's hold on it: its window, SDL and what
  // they listen to on the page.
  running = nullptr;
}

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

// Ends the program, as its element leaves the page: nothing of it is left
// running or listening.
extern "C" EMSCRIPTEN_KEEPALIVE void fractal_tree_end() { host::EndTheLoop(); }
