#pragma once

#include <string>

#include "ui/sdl/sdl_platform.h"

namespace vorlask {

// The game's window as a canvas in a web page. The page cannot open a second window, so
// problems are shown in the page itself; and the page only repaints when the program gives the
// browser a turn, so every picture shown is followed by one.
class WebPlatform : public SdlPlatform {
 public:
  using SdlPlatform::SdlPlatform;

  void Present() override;
  void ShowError(const std::string& message) override;
};

// Shows a problem in the page, above the board, and on stderr.
void ShowPageError(const std::string& message);

// Tells the page that the game has ended and with which exit status.
void ShowPageEnded(int status);

}  // namespace vorlask
