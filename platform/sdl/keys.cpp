#include "platform/sdl/keys.h"

#include <array>

#include "game/codes.h"

namespace vorlask {

namespace {

// Keys outside the letters, digits and function keys, with the window system's codes.
struct KeyCode {
  SDL_Keycode key;
  std::uint16_t code;
};
constexpr std::array<KeyCode, 32> kOtherKeys = {{
    {SDLK_RETURN, vk::kEnter},
    {SDLK_RETURN2, vk::kEnter},
    {SDLK_KP_ENTER, vk::kEnter},
    {SDLK_ESCAPE, vk::kEscape},
    {SDLK_LEFT, vk::kLeft},
    {SDLK_UP, vk::kUp},
    {SDLK_RIGHT, vk::kRight},
    {SDLK_DOWN, vk::kDown},
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},
    {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},
    {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},
    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},
    {SDLK_HOME, 36},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_KP_0, 96},
    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144},
}};

}  // namespace

std::uint16_t VirtualKeyCode(SDL_Keycode sym, SDL_Scancode scancode) {
  if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<std::uint16_t>('A' + (sym - SDLK_a));
  // With a layout whose letter keys do not type Latin letters (Cyrillic, Greek) the window
  // system still names the keys by the Latin letter at their place.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z && (sym < 0 || sym > 0x7F)) {
    return static_cast<std::uint16_t>('A' + (scancode - SDL_SCANCODE_A));
  }
  // The digit row keeps its codes on layouts where it types other characters unshifted.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return static_cast<std::uint16_t>('1' + (scancode - SDL_SCANCODE_1));
  }
  if (scancode == SDL_SCANCODE_0) return '0';
  if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9)
    return static_cast<std::uint16_t>(97 + (sym - SDLK_KP_1));
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return static_cast<std::uint16_t>(112 + (sym - SDLK_F1));
  for (const auto& [key, code] : kOtherKeys) {
    if (key == sym) return code;
  }
  return 0;
}

}  // namespace vorlask
