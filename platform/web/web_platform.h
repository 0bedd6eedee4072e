#pragma once

#include <SDL.h>

#include <optional>
#include <string>

#include "platform/sdl/sdl_platform.h"
#include "platform/web/page.h"
#include "ui/platform.h"
#include "ui/spoken.h"

namespace vorlask {

// MediaPlayer1 in the page. The piano and the tunes are not part of the page's first download:
// the first open starts fetching them and succeeds at once, and the game answers its player
// while they come; the tune opens and plays once they are in, unless the music was stopped
// meanwhile. A fetch that fails ends the play as a failed synthesizer would: the game tells
// the player and clears the Music box, and the next start tries again. While no music plays,
// the browser's audio rests.
class PageMediaPlayer : public MediaPlayer {
 public:
  explicit PageMediaPlayer(MediaPlayer& player) : player_(player) {}

  OpenResult Open(const std::string& file, std::string& error) override;
  void Play() override;
  void Close() override;
  void Disable() override { player_.Disable(); }
  PlayEnd TakeEndOfPlay() override { return player_.TakeEndOfPlay(); }
  std::string MusicFailure() const override;
  // The music's files have come, or could not be fetched.
  void Arrived();

 private:
  // A play that waited for the files is cut short: its notice goes.
  void CutWaiting();

  MediaPlayer& player_;
  std::optional<std::string> waiting_;  // the file opened while the music's files come
  bool play_waiting_ = false;
  bool fetching_ = false;
  std::string failure_;
};

// The game's window as a canvas in a web page. The page cannot open a second window, so
// problems are shown in the page itself; the page only repaints when the program gives the
// browser a turn, so every picture shown is followed by one; and while the game waits for
// input it hands the browser the whole thread until something arrives.
class WebPlatform : public SdlPlatform {
 public:
  WebPlatform(TextRenderer& text, BitmapSet bitmaps);
  ~WebPlatform() override;

  int Run(TForm3& form) override;
  MediaPlayer& GetMediaPlayer() override { return music_; }
  void Present() override;
  void ShowError(const std::string& message) override;

 protected:
  // The page repeats the panel's options and the result in its own controls and text, for
  // small screens and for screen readers; it hears of them only when they change.
  void AfterEvent(const TForm3& form) override { TellPage(form); }
  bool WaitEvent(SDL_Event& event) override;
  bool DispatchOwn(const SDL_Event& event) override;

 private:
  // Tells the page the options and the result when they differ from what it was last told.
  void TellPage(const TForm3& form);

  std::optional<PageState> told_;
  std::optional<Scene> told_scene_;
  PageMediaPlayer music_;
  bool waited_ = false;
  bool board_shown_ = false;
  bool rested_ = false;
};

// Shows a problem in the page, above the board, and on stderr.
void ShowPageError(const std::string& message);

}  // namespace vorlask
