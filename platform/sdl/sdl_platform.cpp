#include "platform/sdl/sdl_platform.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "gfx/upscale.h"
#include "platform/sdl/bmp_file.h"
#include "platform/sdl/data_folders.h"
#include "platform/sdl/display_scale.h"
#include "platform/sdl/error_window.h"
#include "platform/sdl/keys.h"
#include "platform/sdl/sound_font.h"
#include "platform/sdl/system.h"

namespace vorlask {

SdlPlatform::SdlPlatform(TextRenderer& text, std::optional<BitmapSet> bitmaps)
    : events_(RegisterLoopEvents()),
      text_(text),
      canvas_(kClientWidth, kClientHeight, kOlive),
      timer_(),
      media_(SoundFontCandidates()),
      bitmaps_(std::move(bitmaps)) {
  canvas_.SetTextRenderer(&text);
}

SdlPlatform::~SdlPlatform() {
  timer_.Disable();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool SdlPlatform::OpenWindow(std::string& error) {
  window_ = SDL_CreateWindow("Vorlask", 160, 14, kClientWidth, kClientHeight, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    error = std::string("the window cannot be created: ") + SDL_GetError();
    return false;
  }
  scale_ = ChooseScale(QueryScreenDensity(window_));
  if (scale_ > 1) SDL_SetWindowSize(window_, kClientWidth * scale_, kClientHeight * scale_);
  return true;
}

int SdlPlatform::Logical(int device) const {
  // Floor division: a release left of or above the window stays negative.
  return device >= 0 ? device / scale_ : -((-device + scale_ - 1) / scale_);
}

int SdlPlatform::Run(TForm3& form) {
  SDL_ShowWindow(window_);
  shown_ = true;
  while (!quit_) {
    SDL_Event event;
    if (!WaitEvent(event)) {
      std::fprintf(stderr, "vorlask: waiting for events failed: %s\n", SDL_GetError());
      return 1;
    }
    Dispatch(event, form);
  }
  return 0;
}

bool SdlPlatform::WaitEvent(SDL_Event& event) {
  return SDL_WaitEvent(&event) != 0;
}

// Input and window events that an error window left behind when it closed.
bool SdlPlatform::ForOtherWindow(const SDL_Event& event) const {
  Uint32 id = 0;
  switch (event.type) {
    case SDL_WINDOWEVENT:
      id = event.window.windowID;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      id = event.key.windowID;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      id = event.button.windowID;
      break;
    default:
      return false;
  }
  return id != 0 && window_ != nullptr && id != SDL_GetWindowID(window_);
}

void SdlPlatform::Dispatch(const SDL_Event& event, TForm3& form) {
  if (ForOtherWindow(event)) return;
  switch (event.type) {
    case SDL_QUIT:
      quit_ = true;
      return;
    case SDL_WINDOWEVENT:
      // With a second window open SDL reports the close button as a window event only.
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        quit_ = true;
        return;
      }
      if (event.window.event != SDL_WINDOWEVENT_EXPOSED) return;
      // A repaint starts from the window's background colour, as the window system's does.
      canvas_.Clear(kOlive);
      form.FormPaint();
      break;
    case SDL_AUDIODEVICEREMOVED:
      // Its end-of-play notification follows, and tells the person.
      if (event.adevice.iscapture == 0) media_.DeviceLost();
      return;
    case SDL_KEYDOWN:
      form.FormKeyDown(VirtualKeyCode(event.key.keysym.sym, event.key.keysym.scancode));
      break;
    case SDL_MOUSEBUTTONUP: {
      MouseButton button = MouseButton::kOther;
      if (event.button.button == SDL_BUTTON_LEFT) button = MouseButton::kLeft;
      if (event.button.button == SDL_BUTTON_RIGHT) button = MouseButton::kRight;
      if (event.button.button == SDL_BUTTON_MIDDLE) button = MouseButton::kMiddle;
      form.FormMouseUp(button, Logical(event.button.x), Logical(event.button.y));
      break;
    }
    default:
      if (event.type == events_.timer && events_.timer != 0) {
        if (!timer_.TakeFiring(event.user)) return;
        form.Timer1Timer();
        break;
      }
      if (event.type == events_.music_end && events_.music_end != 0) {
        media_.TakeNotice(event.user);
        form.MediaPlayer1Notify();
        break;
      }
      if (DispatchOwn(event)) break;
      return;
  }
  Present();
  AfterEvent(form);
}

void SdlPlatform::Present() {
  if (window_ == nullptr || !shown_) return;
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (target == nullptr) return;
  const Image& picture = canvas_.Picture();
  const std::uint32_t* pixels = picture.pixels.data();
  int width = picture.width;
  int height = picture.height;
  if (scale_ > 1) {
    Upscale(picture, scale_, scaled_);
    pixels = scaled_.data();
    width *= scale_;
    height *= scale_;
  }
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (source != nullptr) {
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
  }
  SDL_UpdateWindowSurface(window_);
  last_present_ = SDL_GetTicks64();
}

void SdlPlatform::KeepAlive() {
  // Long handlers call this often; asking the window system more than every few
  // milliseconds would only slow them down.
  const Uint64 now = SDL_GetTicks64();
  if (now - last_keep_alive_ < 10) return;
  last_keep_alive_ = now;
  SDL_PumpEvents();
  // Drawing is immediate: what a long handler has drawn so far shows while it runs.
  if (now - last_present_ >= 40) Present();
}

int SdlPlatform::ClockSecond() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!LocalTime(now, local)) return 0;
  // A leap second reads as the last ordinary one.
  return local.tm_sec > 59 ? 59 : local.tm_sec;
}

double SdlPlatform::RandomUniform() {
  random_.seed(static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  // 53 random bits make a double in [0, 1) that can never round up to 1.
  return static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

BitmapSet SdlPlatform::StartupBitmaps() {
  if (bitmaps_) {
    BitmapSet set = std::move(*bitmaps_);
    bitmaps_.reset();
    return set;
  }
  SdlBitmapFiles files;
  return LoadBitmapSet(VorlaskDataFolders(), files);
}

void SdlPlatform::ShowError(const std::string& message) {
  // The error window is modal: what the person types or clicks in the game's window meanwhile
  // is dropped. The timer's and the music's events, and a request to close, are kept for the
  // game's loop, in their order, once the window has closed.
  std::vector<SDL_Event> later;
  ReportError(message, &text_, scale_, shown_ ? window_ : nullptr, [&](const SDL_Event& event) {
    switch (event.type) {
      case SDL_KEYDOWN:
      case SDL_KEYUP:
      case SDL_TEXTINPUT:
      case SDL_TEXTEDITING:
      case SDL_MOUSEMOTION:
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
      case SDL_MOUSEWHEEL:
        return;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
          Present();
          return;
        }
        break;
      default:
        break;
    }
    later.push_back(event);
  });
  for (SDL_Event& event : later)
    SDL_PushEvent(&event);
}

void SdlPlatform::Quit() {
  quit_ = true;
  if (window_ != nullptr && shown_) CloseOnQuit(window_);
  shown_ = false;
}

}  // namespace vorlask
