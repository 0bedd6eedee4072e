// Draws the error window that the game shows for a message, as the end-to-end tests expect to
// see it on screen: the picture goes to a PPM file, and the window's size and the middle of
// its OK button to stdout ("width height x y"). With --builtin, drawn with the font built into
// the program, as the game draws it when its own font failed.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "checks/error_box.h"
#include "gfx/builtin_font.h"
#include "gfx/canvas.h"
#include "platform/sdl/system.h"
#include "platform/sdl/ttf_text.h"

int main(int argc, char** argv) {
  const bool builtin = argc == 4 && std::string(argv[1]) == "--builtin";
  if (argc != 3 && !builtin) {
    std::fprintf(stderr, "usage: %s [--builtin] MESSAGE-FILE OUT.ppm\n", argv[0]);
    return 2;
  }
  const char* message_file = argv[argc - 2];
  const char* out_file = argv[argc - 1];
  std::ifstream in(message_file, std::ios::binary);
  const std::string message((std::istreambuf_iterator<char>(in)), {});
  vorlask::TtfTextRenderer ttf(vorlask::FontFile());
  vorlask::BuiltinTextRenderer built_in;
  std::string error;
  if (!builtin && !ttf.Ready(error)) {
    std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
    return 1;
  }
  vorlask::TextRenderer& text = builtin ? static_cast<vorlask::TextRenderer&>(built_in) : ttf;
  const vorlask::Font font;
  auto width_of = [&](const std::string& s) { return text.Render(s, font, vorlask::kWhite).width; };
  const vorlask::ErrorBoxLayout layout =
      vorlask::LayOutErrorBox(message, width_of, text.Render("Ag", font, vorlask::kWhite).height);
  vorlask::Canvas canvas(layout.width, layout.height, vorlask::kOlive);
  canvas.SetTextRenderer(&text);
  vorlask::DrawErrorBox(canvas, layout, width_of);

  std::ofstream out(out_file, std::ios::binary);
  out << "P6\n" << layout.width << ' ' << layout.height << "\n255\n";
  for (std::uint32_t p : canvas.Picture().pixels) {
    const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8),
                         static_cast<char>(p)};
    out.write(rgb, 3);
  }
  if (!out) return 1;
  std::printf("%d %d %d %d\n", layout.width, layout.height,
              layout.button_x + vorlask::ErrorBoxLayout::kButtonWidth / 2,
              layout.button_y + vorlask::ErrorBoxLayout::kButtonHeight / 2);
  return 0;
}
