#pragma once

#include <SDL.h>

#include <atomic>

#include "ui/platform.h"

namespace vorlask {

// Every play that was started ends with exactly one notification event, tagged with the play's
// number and how it ended, whether it ran out on the audio thread, was halted on the window's
// thread or failed. SDL_mixer's end-of-music hook takes no user data, so the one account of the
// latest play is reached through The(), and kept in atomics for both threads.
class PlayNotices {
 public:
  static PlayNotices& The();
  // The hook SDL_mixer calls when a play runs out, or inside its halt when one is cut.
  static void MusicFinished();

  // Play `number` starts, or is to start once its tune has loaded: it owes its notice.
  void Begin(Sint32 number);
  // The tune has loaded and now really plays: a quick end is counted from here.
  void Restart() { started_ms_ = SDL_GetTicks64(); }
  // The play never started after all; it owes nothing.
  void Forget() { owes_notice_ = false; }
  // Sends the latest play's one notice, saying how it ended, unless it has gone already.
  void Settle(MediaPlayer::PlayEnd end);
  // The play ended by itself (within a second of its start: nothing was heard), or was cut.
  void SettleEnded(bool cut);
  // Halts the play through `halt`, which calls the hook with the play counted as cut, and
  // settles it here as well in case the hook does not run (or the play never started).
  template <typename Halt>
  void Cut(Halt halt) {
    cutting_ = true;
    halt();
    SettleEnded(true);
    cutting_ = false;
  }

 private:
  std::atomic<bool> owes_notice_{false};
  std::atomic<Sint32> number_{0};
  std::atomic<Uint64> started_ms_{0};
  std::atomic<bool> cutting_{false};
};

}  // namespace vorlask
