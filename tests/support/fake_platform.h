#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/sdl/ttf_text.h"
#include "ui/form.h"
#include "ui/platform.h"

namespace vorlask::testing {

class FakeTimer : public Timer {
 public:
  void Enable() override {
    if (!enabled_) ++arm_count;
    enabled_ = true;
  }
  void Disable() override { enabled_ = false; }
  bool Enabled() const override { return enabled_; }
  int arm_count = 0;

 private:
  bool enabled_ = false;
};

// Records what the game asks of the media player; plays nothing. A play that is cut short by
// Close or Open, or that is ended by the test, owes one end-of-play notification, which the
// test delivers with FakePlatform::DeliverMusicNotifications.
class FakeMediaPlayer : public MediaPlayer {
 public:
  OpenResult Open(const std::string& file, std::string& error) override;
  void Play() override;
  void Close() override;
  void Disable() override { disabled = true; }
  PlayEnd TakeEndOfPlay() override;
  std::string MusicFailure() const override { return "the fake device stopped"; }
  // Ends the running play as if the file had played to its end; `at_once` as if it had ended
  // within a second of starting; or as if the device had failed.
  void FinishPlay(bool at_once = false);
  void FailPlay() {
    if (playing) Owe(PlayEnd::kMusicFailed);
  }

  std::vector<std::string> log;     // "open <file>", "play", "close"
  std::vector<std::string> opened;  // files opened successfully
  bool fail_open = false;           // the file cannot be opened
  bool fail_music = false;          // no file can be: the sound font or the device fails
  bool disabled = false;
  bool playing = false;
  int pending_notifications = 0;
  std::string open_file;
  // When set, each owed notification is handed to it instead of being counted above: the
  // platform's event queue then delivers it in its turn.
  std::function<void()> on_notice;
  // The number of the latest play, and the notifications owed, oldest first: which play each
  // is for and how it ended.
  int play_number = 0;
  std::deque<std::pair<int, PlayEnd>> owed;

 private:
  void Owe(PlayEnd end);
};

// An off-screen platform: a real 615 by 480 canvas, the real TrueType text (or none), and
// fakes for the timer, music, clock and random numbers.
class FakePlatform : public Platform {
 public:
  explicit FakePlatform(bool real_text = true);

  Canvas& GetCanvas() override { return *canvas; }
  Timer& GetTimer() override { return timer; }
  MediaPlayer& GetMediaPlayer() override { return media; }
  void Present() override { ++present_count; }
  void KeepAlive() override { ++keep_alive_count; }
  int ClockSecond() override { return clock(); }
  double RandomUniform() override;
  // Read from data_folders as the real platform reads them.
  BitmapSet StartupBitmaps() override;
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void Quit() override { quit_requested = true; }

  std::unique_ptr<Canvas> canvas;
  std::unique_ptr<TtfTextRenderer> text;
  FakeTimer timer;
  FakeMediaPlayer media;
  // The clock: by default the seconds advance once every 50 readings, so a calibration ends
  // quickly with a known count.
  std::function<int()> clock;
  int clock_reads = 0;
  // Numbers handed out by RandomUniform, in order; 0.0 once they run out.
  std::deque<double> random_values;
  int random_draws = 0;
  std::vector<std::string> data_folders;
  std::vector<std::string> errors;
  bool quit_requested = false;
  int present_count = 0;
  int keep_alive_count = 0;
};

// A platform and a started game on it, with the first paint done.
struct Game {
  explicit Game(bool real_text = true);
  FakePlatform platform;
  TForm3 form;

  // Fires the timer if it is armed, as the event loop would after 300 ms.
  bool FireTimer();
  // Delivers owed music notifications, as the event loop would after the current handler;
  // throws when they do not settle.
  void DeliverMusicNotifications();
  // Input and music notifications through one queue, taken in order as the window's event
  // loop takes them: a notification of a play's end joins the back, behind input queued
  // before it. From this call on, owed notifications go to the queue.
  void UseEventQueue();
  void QueueKey(std::uint16_t key);
  // Handles queued events in order until the queue is empty or `limit` have been handled;
  // returns how many were handled.
  int RunQueue(int limit = 1000);
  std::deque<std::function<void()>> queue;
  // Click with the left button at the centre of a square.
  void ClickSquare(int row, int col);
  // The pixel of the picture at (x, y).
  Color PixelAt(int x, int y) const;
};

}  // namespace vorlask::testing
