#include "support/fake_platform.h"

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/sdl/bmp_file.h"
#include "platform/sdl/system.h"

namespace vorlask::testing {

void FakeMediaPlayer::Owe(PlayEnd end) {
  playing = false;
  owed.emplace_back(play_number, end);
  if (on_notice) {
    on_notice();
  } else {
    ++pending_notifications;
  }
}

MediaPlayer::PlayEnd FakeMediaPlayer::TakeEndOfPlay() {
  if (owed.empty()) return PlayEnd::kCut;
  const auto [number, end] = owed.front();
  owed.pop_front();
  return number == play_number ? end : PlayEnd::kCut;
}

MediaPlayer::OpenResult FakeMediaPlayer::Open(const std::string& file, std::string& error) {
  if (playing) Owe(PlayEnd::kCut);
  log.push_back("open " + file);
  if (fail_open || fail_music) {
    error =
        fail_music ? "the fake audio device cannot be opened" : "the device cannot open " + file;
    open_file.clear();
    return fail_music ? OpenResult::kMusicFailed : OpenResult::kFileFailed;
  }
  opened.push_back(file);
  open_file = file;
  return OpenResult::kOpened;
}

void FakeMediaPlayer::Play() {
  log.push_back("play");
  if (playing) Owe(PlayEnd::kCut);
  if (!open_file.empty()) {
    playing = true;
    ++play_number;
  }
}

void FakeMediaPlayer::Close() {
  log.push_back("close");
  if (playing) Owe(PlayEnd::kCut);
  open_file.clear();
}

void FakeMediaPlayer::FinishPlay(bool at_once) {
  if (playing) Owe(at_once ? PlayEnd::kRanOutAtOnce : PlayEnd::kRanOut);
}

FakePlatform::FakePlatform(bool real_text)
    : canvas(std::make_unique<Canvas>(kClientWidth, kClientHeight, kOlive)),
      data_folders{VORLASK_SOURCE_DATA_DIR} {
  if (real_text) {
    text = std::make_unique<TtfTextRenderer>(FontFile());
    canvas->SetTextRenderer(text.get());
  }
  clock = [this] { return (clock_reads++ / 50) % 60; };
}

double FakePlatform::RandomUniform() {
  ++random_draws;
  if (random_values.empty()) return 0.0;
  const double u = random_values.front();
  random_values.pop_front();
  return u;
}

BitmapSet FakePlatform::StartupBitmaps() {
  SdlBitmapFiles files;
  return LoadBitmapSet(data_folders, files);
}

Game::Game(bool real_text) : platform(real_text), form(platform) {
  form.FormCreate();
  form.FormPaint();
}

bool Game::FireTimer() {
  if (!platform.timer.Enabled()) return false;
  form.Timer1Timer();
  return true;
}

void Game::DeliverMusicNotifications() {
  // Each notification may start a play that a later one cuts short, but a handful settles any
  // sequence the game can produce; more means a notification keeps owing the next. The test
  // fails with the exception's text.
  constexpr int kLimit = 16;
  for (int delivered = 0; platform.media.pending_notifications > 0; ++delivered) {
    if (delivered == kLimit) {
      const int owed = platform.media.pending_notifications;
      platform.media.pending_notifications = 0;
      throw std::runtime_error("still waiting for the music notifications to settle after " +
                               std::to_string(kLimit) + " deliveries; " + std::to_string(owed) +
                               " more are owed, so each notification leads to another");
    }
    --platform.media.pending_notifications;
    form.MediaPlayer1Notify();
  }
}

void Game::UseEventQueue() {
  platform.media.on_notice = [this] { queue.emplace_back([this] { form.MediaPlayer1Notify(); }); };
}

void Game::QueueKey(std::uint16_t key) {
  queue.emplace_back([this, key] { form.FormKeyDown(key); });
}

int Game::RunQueue(int limit) {
  int handled = 0;
  while (!queue.empty() && handled < limit) {
    std::function<void()> event = std::move(queue.front());
    queue.pop_front();
    event();
    ++handled;
  }
  return handled;
}

void Game::ClickSquare(int row, int col) {
  form.FormMouseUp(MouseButton::kLeft, TForm3::SquareX(col) + 26, TForm3::SquareY(row) + 26);
}

Color Game::PixelAt(int x, int y) const {
  return ColorOf(platform.canvas->Picture().At(x, y));
}

}  // namespace vorlask::testing
