#pragma once

#include <string>

#include "gfx/canvas.h"

namespace vorlask {

// The game's one start, which each platform's main calls: SDL and the window, the font, the
// tile set and the bitmaps, the form and its first game, then the event loop until the game
// ends. Returns the exit status.
int RunVorlask();

// Reports a problem before the game's window shows: stderr, and the game's error window where
// a display is available, until the person closes it; without the game's font (text nullptr)
// it is drawn with the font built into the program. Scale 0: the scale of this screen.
void ShowStartupError(const std::string& message, TextRenderer* text = nullptr, int scale = 0);

}  // namespace vorlask
