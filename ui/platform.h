#pragma once

#include <string>
#include <vector>

#include "checks/file_result.h"
#include "gfx/canvas.h"
#include "ui/bitmaps.h"

namespace vorlask {

// The one-shot timer of the window: once enabled it fires once, 300 ms later, as an event on
// the window's thread. Enabling it again while it is armed does not restart the interval.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void Enable() = 0;
  virtual void Disable() = 0;
  virtual bool Enabled() const = 0;
};

// The media player that plays one music file at a time. The end of a play, whether the file
// ran out or the play was cut short by Close or by another Open, arrives later as an event on
// the window's thread (TForm3::MediaPlayer1Notify), never from inside these calls.
class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;
  enum class OpenResult {
    kOpened,
    kFileFailed,   // this file cannot be played (missing, unreadable, damaged); others may be
    kMusicFailed,  // no file can be: the sound font or the audio device failed
  };
  // Closes what is open, then opens the file. On failure says what failed, with the reason,
  // which names the file, the sound font or the audio device.
  virtual OpenResult Open(const std::string& file, std::string& error) = 0;
  // Plays the opened file from its start, without waiting.
  virtual void Play() = 0;
  virtual void Close() = 0;
  // The player takes no input; disabling it is what the window does before it ends.
  virtual void Disable() = 0;

  // How a play came to its end. A notification may arrive after input that was queued before
  // it, and by then a later play may have started; such a notification counts as a cut.
  enum class PlayEnd {
    kRanOut,        // the latest play ran to its end
    kRanOutAtOnce,  // the latest play ran out within a second of starting: nothing played
    kCut,           // cut short by Close or Open, or followed by a later play since
    kMusicFailed,   // the sound font or the audio device failed: MusicFailure says how
  };
  // Asked once by the notification handler for each notification: how that play ended.
  virtual PlayEnd TakeEndOfPlay() = 0;
  // Why no music can play, after a play ended with kMusicFailed.
  virtual std::string MusicFailure() const = 0;
};

// The one wording of a start that failed: what is wrong.
inline std::string CannotStartMessage(const std::string& what) {
  return "Vorlask cannot start: " + what;
}

// Everything the game needs from the outside world. The SDL front end implements it for the
// real window; tests implement it with an off-screen canvas and fakes.
class Platform {
 public:
  virtual ~Platform() = default;

  virtual Canvas& GetCanvas() = 0;
  virtual Timer& GetTimer() = 0;
  virtual MediaPlayer& GetMediaPlayer() = 0;

  // Shows the picture drawn so far at once; used between the frames of a move animation.
  virtual void Present() = 0;
  // Lets the window system know the program is alive during a long handler. Input is not
  // handled here: it stays queued and is handled afterwards, in order.
  virtual void KeepAlive() = 0;

  // The seconds field of the time of day, 0..59.
  virtual int ClockSecond() = 0;
  // A number uniform in [0, 1), the generator re-seeded from a high-resolution clock first.
  virtual double RandomUniform() = 0;

  // The six bitmaps of start-up, as LoadBitmapSet finds them in the platform's data folders
  // (the current directory first). A platform may have read them ahead, while its window
  // system started.
  virtual BitmapSet StartupBitmaps() = 0;

  // Tells the person about a problem: a message box and a line on stderr.
  virtual void ShowError(const std::string& message) = 0;
  // Ends the program: the window closes and the message loop stops after the current handler.
  virtual void Quit() = 0;
};

}  // namespace vorlask
