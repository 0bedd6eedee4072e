#pragma once

#include <SDL.h>

#include <optional>
#include <string>

#include "platform/sdl/sdl_platform.h"
#include "ui/platform.h"

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

// MediaPlayer1 in the page. The piano and the tunes are not part of the page's first download:
// the first open fetches them, and the open waits for them, the page running meanwhile. A
// fetch that fails is a failed open like any other; the next open tries again.
class PageMediaPlayer : public MediaPlayer {
 public:
  PageMediaPlayer(MediaPlayer& player, Platform& window) : player_(player), window_(window) {}

  OpenResult Open(const std::string& file, std::string& error) override;
  void Play() override { player_.Play(); }
  void Close() override { player_.Close(); }
  void Disable() override { player_.Disable(); }
  PlayEnd TakeEndOfPlay() override { return player_.TakeEndOfPlay(); }
  std::string MusicFailure() const override { return player_.MusicFailure(); }

 private:
  MediaPlayer& player_;
  Platform& window_;
};

// The game's window as a canvas in a web page. The page cannot open a second window, so
// problems are shown in the page itself; the page only repaints when the program gives the
// browser a turn, so every picture shown is followed by one; and while the game waits for
// input it hands the browser the whole thread until something arrives.
class WebPlatform : public SdlPlatform {
 public:
  explicit WebPlatform(TextRenderer& text);
  ~WebPlatform() override;

  MediaPlayer& GetMediaPlayer() override { return music_; }
  void Present() override;
  void ShowError(const std::string& message) override;
  // Tells the page the options and the result when they differ from what it was last told.
  void TellPage(const TForm3& form);

 protected:
  // The page repeats the panel's options and the result in its own controls and text, for
  // small screens and for screen readers; it hears of them only when they change.
  void AfterEvent(const TForm3& form) override { TellPage(form); }
  bool WaitEvent(SDL_Event& event) override;

 private:
  std::optional<PageState> told_;
  PageMediaPlayer music_;
  bool waited_ = false;
  bool board_shown_ = false;
  bool rested_ = false;
};

// Shows a problem in the page, above the board, and on stderr.
void ShowPageError(const std::string& message);

// Tells the page that the game has ended and with which exit status.
void ShowPageEnded(int status);

// Returns once the page is visible. A page opened behind another tab gets its timers slowed
// down by the browser, and the speed measurement at the first paint must not see that.
void WaitUntilPageVisible();

}  // namespace vorlask

// The page's own option and new-game controls: queues the key press whose virtual-key code is
// given (T, H, P, 1, 2, S, A or N), to be handled in turn with the person's other input, as
// the key itself would be. Returns 1 when queued, 0 for any other code or when the game is
// not running.
extern "C" int vorlask_page_command(int key);
