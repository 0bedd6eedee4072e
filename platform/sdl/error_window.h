#pragma once

#include <SDL.h>

#include <functional>
#include <string>

#include "checks/error_box.h"
#include "gfx/canvas.h"

namespace vorlask {

// Whatever else arrives while the error window waits for the person: events of the game's
// window and the loop's own events.
using OtherEvent = std::function<void(const SDL_Event&)>;

// The game's own error window: title "Vorlask", the message and an OK button, drawn with the
// game's font rather than by the window system, whose message box needs fonts that many
// desktops do not have. Enter, Esc, a click on OK and the close button close it. It is modal:
// while it is open, keys close it wherever they are typed.
class ErrorWindow {
 public:
  ErrorWindow(const std::string& message, TextRenderer& text);
  ~ErrorWindow();
  ErrorWindow(const ErrorWindow&) = delete;
  ErrorWindow& operator=(const ErrorWindow&) = delete;

  // Creates and shows the window, over `parent` if there is one. Scale 0 takes the scale the
  // game window gets on this screen. False with the reason when it cannot be shown.
  bool Open(int scale, SDL_Window* parent, std::string& error);
  // Handles events until the person closes the window; the others go to `other`. A request
  // to end the program closes the window too, and is put back for the game's loop.
  void Wait(const OtherEvent& other);
  // Whether one event closes the window (a press of OK only counts when it also started there).
  bool Closes(const SDL_Event& event);

  Uint32 Id() const { return window_ != nullptr ? SDL_GetWindowID(window_) : 0; }
  int Scale() const { return scale_; }
  const ErrorBoxLayout& Layout() const { return layout_; }
  const Image& Picture() const { return canvas_.Picture(); }

 private:
  void Present();
  bool OnButton(int device_x, int device_y) const;

  ErrorBoxLayout layout_;
  Canvas canvas_;
  SDL_Window* window_ = nullptr;
  int scale_ = 1;
  bool pressed_ = false;
};

// Reports a problem: a line on stderr, then, where a display is available, the error window
// until the person closes it, drawn with the game's font or, without it, with the font built
// into the program. Where no window can be made, the window system's message box is the last
// resort. Without a display stderr alone has the message.
void ReportError(const std::string& message, TextRenderer* text, int scale, SDL_Window* parent,
                 const OtherEvent& other);

}  // namespace vorlask
