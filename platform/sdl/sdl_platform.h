#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "gfx/canvas.h"
#include "platform/sdl/loop_events.h"
#include "platform/sdl/media_player.h"
#include "platform/sdl/sdl_timer.h"
#include "ui/form.h"
#include "ui/platform.h"

namespace vorlask {

// The real window: a fixed 615 by 480 client area (each pixel shown as a square of Scale()
// device pixels on dense screens), presented through SDL's software path from the canvas.
class SdlPlatform : public Platform {
 public:
  // `bitmaps`: the start-up bitmaps when they were read ahead; otherwise they are read when
  // the form asks.
  explicit SdlPlatform(TextRenderer& text, std::optional<BitmapSet> bitmaps = std::nullopt);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // Creates the window, still hidden. False with the reason when it cannot.
  bool OpenWindow(std::string& error);
  // Shows the window and handles its events until the program ends; the exit status.
  virtual int Run(TForm3& form);
  int Scale() const { return scale_; }

  Canvas& GetCanvas() override { return canvas_; }
  Timer& GetTimer() override { return timer_; }
  MediaPlayer& GetMediaPlayer() override { return media_; }
  void Present() override;
  void KeepAlive() override;
  int ClockSecond() override;
  double RandomUniform() override;
  BitmapSet StartupBitmaps() override;
  void ShowError(const std::string& message) override;
  void Quit() override;

 protected:
  // Runs after each event the game has handled, with the state its handler left. A front end
  // that shows the game's state outside the window reads it here.
  virtual void AfterEvent(const TForm3& /*form*/) {}
  // Waits for the loop's next event; false when waiting failed.
  virtual bool WaitEvent(SDL_Event& event);
  // An event of a type the front end registered itself; true when it was the front end's.
  virtual bool DispatchOwn(const SDL_Event& /*event*/) { return false; }

 private:
  void Dispatch(const SDL_Event& event, TForm3& form);
  int Logical(int device) const;
  bool ForOtherWindow(const SDL_Event& event) const;

  LoopEvents events_;
  TextRenderer& text_;
  Canvas canvas_;
  SdlTimer timer_;
  SdlMediaPlayer media_;
  std::optional<BitmapSet> bitmaps_;
  SDL_Window* window_ = nullptr;
  int scale_ = 1;
  bool shown_ = false;
  bool quit_ = false;
  Uint64 last_present_ = 0;
  Uint64 last_keep_alive_ = 0;
  std::vector<std::uint32_t> scaled_;
  std::mt19937_64 random_;
};

}  // namespace vorlask
