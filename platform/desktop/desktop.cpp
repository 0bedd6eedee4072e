// What the two desktops, Linux and Windows, answer alike: the game's window is the shared SDL
// window, a problem before it shows gets the game's own error window, and the run ends with
// the process.

#include <cstdio>
#include <cstdlib>

#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/startup.h"
#include "platform/sdl/system.h"

namespace vorlask {

std::unique_ptr<SdlPlatform> MakePlatform(TextRenderer& text, BitmapSet bitmaps) {
  return std::make_unique<SdlPlatform>(text, std::move(bitmaps));
}

void ReportStartProblem(const std::string& message, TextRenderer* text) {
  ShowStartupError(message, text);
}

// The process ends here, without taking the player and the window apart: the synthesizer may
// be halfway through loading a tune, which cannot be cut short, and the person who pressed Esc
// should not wait for it. On Linux, SDL's own shutdown would also put back Xlib's default error
// handler before it closes its connections, and a wake-up that the timer or the music thread
// sent to the window just as it closed would then come back as an error that Xlib answers by
// ending the program with status 1. Ending the process closes the audio device and the
// connections without reading them.
int EndRun(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace vorlask
