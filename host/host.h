#pragma once

#include "host/form.h"

namespace host {

// Creates the window from its settings, hidden; builds and loads its form;
// shows it centred; then delivers timer ticks and redraws until the window
// is closed. Returns the program's exit status: 0 once the window is closed,
// non-zero after an error, which is reported to the user in one line.
int Run(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm);

// Makes what the program prints reach the console it was started from,
// where it has none of its own, as a Windows program with windows only.
void ReachConsole();

}  // namespace host
