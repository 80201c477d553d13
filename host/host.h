#pragma once

#include "host/form.h"

namespace host {

// Creates the window from its settings, hidden; builds and loads its form;
// shows it centred; then delivers timer ticks and redraws until the window
// is closed, and returns the program's exit status.
//
// How a run ends:
//
//   | Why                                          | Status | Line                      | Told by          |
//   |----------------------------------------------|--------|---------------------------|------------------|
//   | the window closed, SIGINT or SIGTERM         | 0      | none                      | Run              |
//   | a screensaver's window touched by the user   | 0      | none                      | Run              |
//   | the other program's window drawn into gone   | 0      | none                      | Run, or at once  |
//   |                                              |        |                           | on X11 (_Exit)   |
//   | an error leaving an event handler or SDL     | 1      | "caption: what failed"    | Run              |
//   | no window with the id given to draw into     | 1      | "caption: there is no     | Run, or at once  |
//   |                                              |        |  window ID to draw into"  | on X11           |
//   | the connection to the display lost           | 1      | "caption: lost the        | at once (X11's   |
//   |                                              |        |  connection to the        | error handler,   |
//   |                                              |        |  display"                 | Wayland's quit)  |
//
// "At once" is EndAtOnce of host/fatal.h: where the toolkit must not be
// returned to. The line goes where the platform's ReportFatalError puts it:
// standard error, and on Windows a message box, on the web the page.
int Run(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm);

}  // namespace host
