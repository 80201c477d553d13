#pragma once

// The browser's side of the event loop: it calls a step when one is due,
// never keeping the page waiting in between.

namespace host {

// Asks the browser to call the next step after the milliseconds given, or,
// for -1, only once something wakes the loop.
void CallNextStepIn(int milliseconds);

// Calls the next step at once, when the browser is next free: something the
// step must see has happened.
void WakeTheLoop();

// Ends the loop for good, and with it the run: no step is called again.
void EndTheLoop();

}  // namespace host
