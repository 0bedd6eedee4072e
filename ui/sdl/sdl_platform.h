#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "game/platform.h"
#include "game/state.h"
#include "gfx/canvas.h"

typedef struct _Mix_Music Mix_Music;

namespace vorlask {

struct Mixer;

// The events that the timer and the music report from their own threads. Their callbacks only
// push one of these; the handlers run on the window's thread, in arrival order.
struct LoopEvents {
  Uint32 timer = 0;
  Uint32 music_end = 0;
};

// Timer1: SDL's timer thread pushes an event 300 ms after the enabling. Each enabling gets its
// own number, so a firing that was already queued when the timer was disabled (and perhaps
// enabled again) is recognised as stale and ignored.
class SdlTimer : public Timer {
 public:
  SdlTimer() = default;
  ~SdlTimer() override;
  SdlTimer(const SdlTimer&) = delete;
  SdlTimer& operator=(const SdlTimer&) = delete;

  void Enable() override;
  void Disable() override;
  bool Enabled() const override { return enabled_; }
  // True when the firing belongs to the current enabling; then the handler is due, and the
  // timer counts as run out, so that the next enabling arms it again.
  bool TakeFiring(const SDL_UserEvent& event);

  static constexpr Uint32 kIntervalMs = 300;

 private:
  bool enabled_ = false;
  SDL_TimerID id_ = 0;
  Sint32 arming_ = 0;
};

// MediaPlayer1: MIDI through SDL_mixer and FluidSynth. The audio device is opened on the first
// Open. Every play that was started ends with exactly one notification event, whether it ran
// out, was halted by Close or was replaced by another Open.
class SdlMediaPlayer : public MediaPlayer {
 public:
  explicit SdlMediaPlayer(std::string soundfont);
  ~SdlMediaPlayer() override;
  SdlMediaPlayer(const SdlMediaPlayer&) = delete;
  SdlMediaPlayer& operator=(const SdlMediaPlayer&) = delete;

  bool Open(const std::string& file, std::string& error) override;
  void Play() override;
  void Close() override;
  void Disable() override {}
  PlayEnd TakeEndOfPlay() override;
  // Reads which play a notification event belongs to and how it ended, for the handler that
  // runs next; a play other than the latest counts as cut.
  void TakeNotice(const SDL_UserEvent& event);

 private:
  bool OpenAudio(std::string& error);
  void EndPlay();

  std::string soundfont_;
  const Mixer* mixer_ = nullptr;
  bool audio_open_ = false;
  Mix_Music* music_ = nullptr;
  std::string file_;
  Sint32 play_number_ = 0;
  PlayEnd noticed_end_ = PlayEnd::kCut;
};

// The real window: a fixed 615 by 480 client area (each pixel shown as a square of Scale()
// device pixels on dense screens), presented through SDL's software path from the canvas.
class SdlPlatform : public Platform {
 public:
  explicit SdlPlatform(TextRenderer& text);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // Creates the window, still hidden. False with the reason when it cannot.
  bool OpenWindow(std::string& error);
  // Shows the window and handles its events until the program ends; the exit status.
  int Run(TForm3& form);
  int Scale() const { return scale_; }
  // Bitmaps read ahead of start-up, by path; LoadBitmap hands each out once.
  void SetPrefetchedBitmaps(std::map<std::string, Image> bitmaps) {
    prefetched_ = std::move(bitmaps);
  }

  Canvas& GetCanvas() override { return canvas_; }
  Timer& GetTimer() override { return timer_; }
  MediaPlayer& GetMediaPlayer() override { return media_; }
  void Present() override;
  void KeepAlive() override;
  int ClockSecond() override;
  double RandomUniform() override;
  std::vector<std::string> DataFolders() override;
  bool FileExists(const std::string& path) override;
  FileResult LoadBitmap(const std::string& path, Image& out, std::string& error) override;
  void ShowError(const std::string& message) override;
  void Quit() override;

 protected:
  // Waits for the loop's next event; false when waiting failed.
  virtual bool WaitEvent(SDL_Event& event);

 private:
  void Dispatch(const SDL_Event& event, TForm3& form);
  int Logical(int device) const;
  bool ForOtherWindow(const SDL_Event& event) const;

  LoopEvents events_;
  TextRenderer& text_;
  Canvas canvas_;
  SdlTimer timer_;
  SdlMediaPlayer media_;
  SDL_Window* window_ = nullptr;
  int scale_ = 1;
  bool shown_ = false;
  bool quit_ = false;
  Uint64 last_present_ = 0;
  Uint64 last_keep_alive_ = 0;
  std::vector<std::uint32_t> scaled_;
  std::map<std::string, Image> prefetched_;
  std::mt19937_64 random_;
};

// Reports a problem before the game's window shows: stderr, and the game's error window where
// a display is available, until the person closes it. Without the game's font (text nullptr)
// the window system's message box is the last resort. Scale 0: the scale of this screen.
void ShowStartupError(const std::string& message, TextRenderer* text = nullptr, int scale = 0);

// The first of the sound fonts that exists, or the first named when none does, so that the
// message about the missing font names the one the tunes were voiced for. The others stand in
// when another General MIDI font is installed instead: Debian points default-GM.sf2 at
// whichever one the system prefers.
std::string ChooseSoundFont(const std::vector<std::string>& candidates);

// The folders searched for the data files, in order: the current directory, the program's
// own folder, the installed data folder, and the data folder of an installation unpacked
// elsewhere.
std::vector<std::string> VorlaskDataFolders();

// Reads the start-up bitmaps from the folder start-up will choose, so that this slow part can
// run while the window system is still being reached. Files that fail are left out; start-up
// then reads them itself and reports the error.
std::map<std::string, Image> PrefetchBitmaps();

// Registers the two loop events with SDL; the timer and the music push them from now on.
LoopEvents RegisterLoopEvents();

}  // namespace vorlask
