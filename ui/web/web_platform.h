#pragma once

#include <optional>
#include <string>

#include "ui/sdl/sdl_platform.h"

namespace vorlask {

// What the page shows of the game outside the canvas: the options of the panel and, once a
// game has ended, its result.
struct PageState {
  int mode = 0;
  int start = 0;
  bool music = false;
  bool animate = false;
  bool active = false;
  std::string line1;
  std::string line2;
  std::string line3;

  bool operator==(const PageState&) const = default;
};

// The game's window as a canvas in a web page. The page cannot open a second window, so
// problems are shown in the page itself; and the page only repaints when the program gives the
// browser a turn, so every picture shown is followed by one.
class WebPlatform : public SdlPlatform {
 public:
  using SdlPlatform::SdlPlatform;

  void Present() override;
  void ShowError(const std::string& message) override;
  // Tells the page the options and the result when they differ from what it was last told.
  void TellPage(const TForm3& form);

 protected:
  // The page repeats the panel's options and the result in its own controls and text, for
  // small screens and for screen readers; it hears of them only when they change.
  void AfterEvent(const TForm3& form) override { TellPage(form); }

 private:
  std::optional<PageState> told_;
};

// Shows a problem in the page, above the board, and on stderr.
void ShowPageError(const std::string& message);

// Tells the page that the game has ended and with which exit status.
void ShowPageEnded(int status);

}  // namespace vorlask

// The page's own option and new-game controls: queues the key press whose virtual-key code is
// given (T, H, P, 1, 2, S, A or N), to be handled in turn with the person's other input, as
// the key itself would be. Returns 1 when queued, 0 for any other code or when the game is
// not running.
extern "C" int vorlask_page_command(int key);
