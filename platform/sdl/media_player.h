#pragma once

#include <SDL.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sdl/mixer.h"
#include "platform/sdl/sound_font.h"
#include "ui/platform.h"

namespace vorlask {

// MediaPlayer1: MIDI through SDL_mixer (FluidSynth on Linux, Timidity in the page and on
// Windows). The audio device is opened on the first Open. Every play that was started ends with
// exactly one notification event (PlayNotices), whether it ran out, was halted by Close or was
// replaced by another Open.
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
  void CloseAudio();
  // These run with mutex_ held.
  void EndPlay();
  void StartPlay();
  void Accept(int open, Mix_Music* music, const std::string& failure, bool soundfont_failed);
  static int LoadTunes(void* player);
  Mix_Music* LoadTune(const std::vector<unsigned char>& tune, const std::string& soundfont,
                      std::string& failure, bool& soundfont_failed);

  SoundFont soundfont_;
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
  std::string pending_soundfont_;  // what the synthesizer is to read it with
  Load load_ = Load::kNone;
  std::string load_failure_;
  bool play_wanted_ = false;
  std::shared_ptr<const std::vector<unsigned char>> tune_;  // the bytes of music_
  Mix_Music* music_ = nullptr;
};

}  // namespace vorlask
