#include "ui/sdl/keys.h"

#include "game/codes.h"

namespace vorlask {

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
  switch (sym) {
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
      return vk::kEnter;
    case SDLK_ESCAPE:
      return vk::kEscape;
    case SDLK_LEFT:
      return vk::kLeft;
    case SDLK_UP:
      return vk::kUp;
    case SDLK_RIGHT:
      return vk::kRight;
    case SDLK_DOWN:
      return vk::kDown;
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return 17;
    case SDLK_LALT:
    case SDLK_RALT:
      return 18;
    case SDLK_PAUSE:
      return 19;
    case SDLK_CAPSLOCK:
      return 20;
    case SDLK_SPACE:
      return 32;
    case SDLK_PAGEUP:
      return 33;
    case SDLK_PAGEDOWN:
      return 34;
    case SDLK_END:
      return 35;
    case SDLK_HOME:
      return 36;
    case SDLK_INSERT:
      return 45;
    case SDLK_DELETE:
      return 46;
    case SDLK_KP_0:
      return 96;
    case SDLK_KP_MULTIPLY:
      return 106;
    case SDLK_KP_PLUS:
      return 107;
    case SDLK_KP_MINUS:
      return 109;
    case SDLK_KP_PERIOD:
      return 110;
    case SDLK_KP_DIVIDE:
      return 111;
    case SDLK_NUMLOCKCLEAR:
      return 144;
    default:
      return 0;
  }
}

}  // namespace vorlask
