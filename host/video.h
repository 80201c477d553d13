#pragma once

namespace host {

// SDL's video subsystem, started with the drivers that can show the window
// here, for as long as the program runs. SDL would hold off the screen
// saver, the screen lock and the display's power saving while it runs, as a
// game wants: a picture on the desktop leaves them to the desktop, and so
// does a screensaver, which the desktop ends itself.
class Video {
 public:
  Video();
  ~Video();
  Video(const Video&) = delete;
  Video& operator=(const Video&) = delete;
};

}  // namespace host
