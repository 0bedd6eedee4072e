#include "platform/sdl/error_window.h"

#include <cstdio>

#include "gfx/builtin_font.h"
#include "platform/sdl/display_scale.h"
#include "platform/sdl/system.h"

namespace vorlask {

namespace {

// The canvas cannot be built before its size is known, and the size comes from the text.
ErrorBoxLayout MeasuredLayout(const std::string& message, TextRenderer& text) {
  const Font font;
  auto width_of = [&text, &font](const std::string& s) {
    return text.Render(s, font, kWhite).width;
  };
  return LayOutErrorBox(message, width_of, text.Render("Ag", font, kWhite).height);
}

}  // namespace

ErrorWindow::ErrorWindow(const std::string& message, TextRenderer& text)
    : layout_(MeasuredLayout(message, text)), canvas_(layout_.width, layout_.height, kOlive) {
  canvas_.SetTextRenderer(&text);
  DrawErrorBox(canvas_, layout_, [&text, font = canvas_.GetFont()](const std::string& s) {
    return text.Render(s, font, kWhite).width;
  });
}

ErrorWindow::~ErrorWindow() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool ErrorWindow::Open(int scale, SDL_Window* parent, std::string& error) {
  window_ = SDL_CreateWindow("Vorlask", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             layout_.width, layout_.height, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    error = std::string("the error window cannot be created: ") + SDL_GetError();
    return false;
  }
  scale_ = scale > 0 ? scale : ChooseScale(QueryScreenDensity(window_));
  const int w = layout_.width * scale_, h = layout_.height * scale_;
  if (scale_ > 1) SDL_SetWindowSize(window_, w, h);
  if (parent != nullptr) {
    int px = 0, py = 0, pw = 0, ph = 0;
    SDL_GetWindowPosition(parent, &px, &py);
    SDL_GetWindowSize(parent, &pw, &ph);
    SDL_SetWindowPosition(window_, px + (pw - w) / 2, py + (ph - h) / 3);
    // Window managers keep such a window above the game's and give it the keyboard.
    SDL_SetWindowModalFor(window_, parent);
  }
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  // Without a window manager nobody would hand it the keyboard.
  SDL_SetWindowInputFocus(window_);
  Present();
  return true;
}

void ErrorWindow::Present() {
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (target == nullptr) return;
  const Image& picture = canvas_.Picture();
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(picture.pixels.data()), picture.width, picture.height, 32,
      picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (source == nullptr) return;
  SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
  // Whole multiples of the size: each pixel becomes a sharp square, as in the game's window.
  SDL_Rect to{0, 0, picture.width * scale_, picture.height * scale_};
  SDL_BlitScaled(source, nullptr, target, &to);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(window_);
}

bool ErrorWindow::OnButton(int device_x, int device_y) const {
  return device_x >= 0 && device_y >= 0 && layout_.OnButton(device_x / scale_, device_y / scale_);
}

bool ErrorWindow::Closes(const SDL_Event& event) {
  const Uint32 id = Id();
  switch (event.type) {
    case SDL_KEYDOWN: {
      const SDL_Keycode key = event.key.keysym.sym;
      return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_RETURN2 ||
             key == SDLK_ESCAPE;
    }
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.windowID == id && event.button.button == SDL_BUTTON_LEFT)
        pressed_ = OnButton(event.button.x, event.button.y);
      return false;
    case SDL_MOUSEBUTTONUP: {
      if (event.button.windowID != id || event.button.button != SDL_BUTTON_LEFT) return false;
      const bool pressed = pressed_;
      pressed_ = false;
      return pressed && OnButton(event.button.x, event.button.y);
    }
    case SDL_WINDOWEVENT:
      return event.window.windowID == id && event.window.event == SDL_WINDOWEVENT_CLOSE;
    default:
      return false;
  }
}

void ErrorWindow::Wait(const OtherEvent& other) {
  const Uint32 id = Id();
  SDL_Event event;
  while (SDL_WaitEvent(&event) != 0) {
    if (Closes(event)) return;
    if (event.type == SDL_QUIT) {
      SDL_PushEvent(&event);
      return;
    }
    if (event.type == SDL_WINDOWEVENT && event.window.windowID == id) {
      // Drawn again whenever the window system may have lost or not yet shown the picture:
      // without a window manager Wine can show the window before its final place and size.
      switch (event.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          Present();
          break;
        default:
          break;
      }
      continue;
    }
    if ((event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) &&
        event.button.windowID == id) {
      continue;
    }
    if (event.type == SDL_MOUSEMOTION && event.motion.windowID == id) continue;
    if (other) other(event);
  }
  std::fprintf(stderr, "vorlask: waiting for events failed: %s\n", SDL_GetError());
}

void ReportError(const std::string& message, TextRenderer* text, int scale, SDL_Window* parent,
                 const OtherEvent& other) {
  const std::string shown = AsShown(message);
  std::fprintf(stderr, "vorlask: %s\n", shown.c_str());
  std::fflush(stderr);
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  std::string error;
  // Without the game's font, which may be what failed, the window speaks with the one built
  // into the program.
  BuiltinTextRenderer builtin;
  ErrorWindow window(shown, text != nullptr ? *text : builtin);
  if (window.Open(scale, parent, error)) {
    window.Wait(other);
    // The keyboard goes back to the game, also where no window manager hands it back.
    if (parent != nullptr) SDL_SetWindowInputFocus(parent);
    return;
  }
  std::fprintf(stderr, "vorlask: %s\n", error.c_str());
  // The window system's own box, which on X11 shows only where its fonts are installed.
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Vorlask", shown.c_str(), parent);
}

}  // namespace vorlask
