#include "support/fake_platform.h"

#include <stdexcept>
#include <string>

#include "ui/sdl/bmp_file.h"

namespace vorlask::testing {

bool FakeMediaPlayer::Open(const std::string& file, std::string& error) {
  if (playing) {
    playing = false;
    ++pending_notifications;
  }
  log.push_back("open " + file);
  if (fail_open) {
    error = "the device cannot open " + file;
    open_file.clear();
    return false;
  }
  opened.push_back(file);
  open_file = file;
  return true;
}

void FakeMediaPlayer::Play() {
  log.push_back("play");
  if (!open_file.empty()) playing = true;
}

void FakeMediaPlayer::Close() {
  log.push_back("close");
  if (playing) {
    playing = false;
    ++pending_notifications;
  }
  open_file.clear();
}

void FakeMediaPlayer::FinishPlay() {
  if (playing) {
    playing = false;
    ++pending_notifications;
  }
}

FakePlatform::FakePlatform(bool real_text)
    : canvas(std::make_unique<Canvas>(kClientWidth, kClientHeight, kOlive)),
      data_folders{VORLASK_SOURCE_DATA_DIR} {
  if (real_text) {
    text = std::make_unique<TtfTextRenderer>(
        "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf");
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

bool FakePlatform::LoadBitmap(const std::string& path, Image& out, std::string& error) {
  return LoadBmpFile(path, out, error);
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

void Game::ClickSquare(int row, int col) {
  form.FormMouseUp(MouseButton::kLeft, TForm3::SquareX(col) + 26, TForm3::SquareY(row) + 26);
}

Color Game::PixelAt(int x, int y) const {
  return ColorOf(platform.canvas->Picture().At(x, y));
}

}  // namespace vorlask::testing
