#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "gfx/canvas.h"

namespace vorlask {

// The width in pixels that a line of text takes in the window font.
using TextWidth = std::function<int(const std::string& utf8)>;

// The picture of the game's error window in its own pixels: the message, wrapped to fit, and
// one OK button below it. Drawn by the game itself, so that it shows wherever the game window
// does, with the font the game already has.
struct ErrorBoxLayout {
  static constexpr int kMargin = 16;
  static constexpr int kMaxTextWidth = 440;
  static constexpr int kMinWidth = 240;
  static constexpr int kButtonWidth = 88;
  static constexpr int kButtonHeight = 28;
  static constexpr std::size_t kMaxLines = 20;

  int width = 0;
  int height = 0;
  std::vector<std::string> lines;
  int line_height = 0;
  int text_x = kMargin;
  int text_y = kMargin;
  int button_x = 0;
  int button_y = 0;

  bool OnButton(int x, int y) const {
    return x >= button_x && x < button_x + kButtonWidth && y >= button_y &&
           y < button_y + kButtonHeight;
  }
};

// Breaks a message into lines no wider than max_width. Line breaks in the message are kept,
// and so is the indentation of a line, on every line it wraps into. A word too long for a
// line (a file's path, usually) is broken after a '/' where one lies near the end of what
// fits, otherwise between two characters. At most max_lines lines: a longer message ends
// with "…". Control characters show as '?'.
std::vector<std::string> WrapText(const std::string& message, int max_width,
                                  const TextWidth& width_of, std::size_t max_lines);

ErrorBoxLayout LayOutErrorBox(const std::string& message, const TextWidth& width_of,
                              int line_height);

// Draws the window in the canvas font, which must be the window font.
void DrawErrorBox(Canvas& canvas, const ErrorBoxLayout& layout, const TextWidth& width_of);

}  // namespace vorlask
