#pragma once

#include <SDL.h>

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "game/platform.h"
#include "game/state.h"
#include "gfx/canvas.h"
#include "ui/sdl/data_file.h"

typedef struct _Mix_Music Mix_Music;

namespace vorlask {

struct Mixer;

// How a bitmap read ahead of start-up went: the picture, or why there is none.
struct PrefetchedBitmap {
  FileResult result = FileResult::kMissing;
  Image image;
  std::string error;
};

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
//
// Open reads and checks the file on the window's thread, which takes a moment; the synthesizer
// then loads the tune with its sound font on a thread of the player's own, which takes a tenth
// of a second or more, and a play asked for meanwhile starts once it is ready. The window's
// thread never waits for that, only, to stop a play, for the audio thread's current block of
// sound, which the bounds of the tune check keep short. Where no thread can be made (a web
// page), the synthesizer loads the tune inside Open.
class SdlMediaPlayer : public MediaPlayer {
 public:
  // The sound fonts to try, in order: the first that is a file is the one used.
  explicit SdlMediaPlayer(std::vector<std::string> soundfonts);
  ~SdlMediaPlayer() override;
  SdlMediaPlayer(const SdlMediaPlayer&) = delete;
  SdlMediaPlayer& operator=(const SdlMediaPlayer&) = delete;

  OpenResult Open(const std::string& file, std::string& error) override;
  void Play() override;
  void Close() override;
  void Disable() override {}
  PlayEnd TakeEndOfPlay() override;
  std::string MusicFailure() const override;
  // Reads which play a notification event belongs to and how it ended, for the handler that
  // runs next; a play other than the latest counts as cut.
  void TakeNotice(const SDL_UserEvent& event);
  // The audio device has gone away: the play ends with kMusicFailed, and the next Open opens
  // a device afresh.
  void DeviceLost();

 private:
  enum class Load { kNone, kLoading, kLoaded, kFailed, kNoMusic };
  OpenResult OpenAudio(std::string& error);
  OpenResult OpenSoundFont(std::string& error);
  void CloseAudio();
  // These run with mutex_ held.
  void EndPlay();
  void StartPlay();
  void Accept(int open, Mix_Music* music, const std::string& failure, bool soundfont_failed);
  static int LoadTunes(void* player);
  Mix_Music* LoadTune(const std::vector<unsigned char>& tune, std::string& failure,
                      bool& soundfont_failed);

  std::vector<std::string> soundfonts_;
  std::string soundfont_;  // the one in use
  HeldDataFile held_soundfont_;
  std::string device_;  // the audio device, as the messages name it
  const Mixer* mixer_ = nullptr;
  bool audio_open_ = false;
  std::string file_;
  Sint32 play_number_ = 0;
  PlayEnd noticed_end_ = PlayEnd::kCut;

  // Shared with the loading thread, under mutex_.
  std::string failure_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  SDL_Thread* loader_ = nullptr;
  bool loader_tried_ = false;
  bool stopping_ = false;
  int opens_ = 0;
  int wanted_ = 0;  // the Open whose tune is wanted, 0 when none is
  std::shared_ptr<const std::vector<unsigned char>> pending_;  // for the loading thread
  Load load_ = Load::kNone;
  std::string load_failure_;
  bool play_wanted_ = false;
  std::shared_ptr<const std::vector<unsigned char>> tune_;  // the bytes of music_
  Mix_Music* music_ = nullptr;
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
  void SetPrefetchedBitmaps(std::map<std::string, PrefetchedBitmap> bitmaps) {
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
  FileResult LoadBitmap(const std::string& path, Image& out, std::string& error) override;
  void ShowError(const std::string& message) override;
  void Quit() override;

 protected:
  // Runs after each event the game has handled, with the state its handler left. A front end
  // that shows the game's state outside the window reads it here.
  virtual void AfterEvent(const TForm3& /*form*/) {}
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
  std::map<std::string, PrefetchedBitmap> prefetched_;
  std::mt19937_64 random_;
};

// Reports a problem before the game's window shows: stderr, and the game's error window where
// a display is available, until the person closes it. Without the game's font (text nullptr)
// the window system's message box is the last resort. Scale 0: the scale of this screen.
void ShowStartupError(const std::string& message, TextRenderer* text = nullptr, int scale = 0);

// The sound fonts the music may use, in order: the ones SDL_mixer's SDL_SOUNDFONTS names, if
// the person chose any, then the system's own (SoundFontFiles).
std::vector<std::string> SoundFontCandidates();

// The folders searched for the data files, in order: the current directory, the program's
// own folder, the installed data folder, and the data folder of an installation unpacked
// elsewhere.
std::vector<std::string> VorlaskDataFolders();

// Loads the start-up bitmaps as start-up will ask for them, from the folder it will choose, so
// that this slow part can run while the window system is still being reached. Every file is
// read and its header checked before any is decoded, and the first failure ends the reading;
// start-up then reports it as it finds it here, without opening the file again.
std::map<std::string, PrefetchedBitmap> PrefetchBitmaps();

// Registers the two loop events with SDL; the timer and the music push them from now on.
LoopEvents RegisterLoopEvents();

}  // namespace vorlask
