#pragma once

#include <SDL.h>

#include <cstdint>

namespace vorlask {

// The window system's virtual-key code of a key press, which is the game's command code.
// Letters give the capital letter's code whatever Shift and the keyboard layout say; digits
// come only from the main row, the keypad's digits have codes of their own (96..105).
// Keys the game has no use for still give a code (or 0), so that every key reaches it.
std::uint16_t VirtualKeyCode(SDL_Keycode sym, SDL_Scancode scancode);

}  // namespace vorlask
