#include "platform/sdl/ttf_text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include "checks/file_result.h"
#include "platform/sdl/bmp_file.h"
#include "platform/sdl/data_file.h"

namespace vorlask {

namespace {

// Far more than any font the game may be given; Liberation Sans Bold is a few hundred kB.
constexpr std::size_t kMaxFontBytes = 32u * 1024 * 1024;

}  // namespace

TtfTextRenderer::TtfTextRenderer(std::string bold_font_file) : file_(std::move(bold_font_file)) {
  if (TTF_Init() != 0) {
    error_ = TTF_GetError();
    return;
  }
  initialised_ = true;
  std::string reason;
  if (const FileResult read = ReadDataFile(file_, kMaxFontBytes, bytes_, reason);
      read != FileResult::kLoaded) {
    error_ = "the font " + file_ + FileProblem(read, reason);
    return;
  }
  // Open the window font once now, so that a damaged font is known before the window shows.
  if (FontFor(Font{}) == nullptr) error_ = "cannot open the font " + file_ + ": " + TTF_GetError();
}

TtfTextRenderer::~TtfTextRenderer() {
  for (auto& [key, font] : fonts_) {
    if (font != nullptr) TTF_CloseFont(font);
  }
  if (initialised_) TTF_Quit();
}

bool TtfTextRenderer::Ready(std::string& error) const {
  error = error_;
  return error_.empty();
}

TTF_Font* TtfTextRenderer::FontFor(const Font& font) {
  if (!initialised_) return nullptr;
  const auto key = std::make_pair(font.height, font.bold);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  // At 72 dots per inch a point is a pixel, so the size is the character height in pixels.
  SDL_RWops* source =
      bytes_.empty() ? nullptr : SDL_RWFromConstMem(bytes_.data(), static_cast<int>(bytes_.size()));
  TTF_Font* f = source != nullptr ? TTF_OpenFontRW(source, 1, font.height) : nullptr;
  if (f != nullptr) TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
  fonts_[key] = f;
  return f;
}

Image TtfTextRenderer::Render(const std::string& utf8, const Font& font, Color background) {
  TTF_Font* f = FontFor(font);
  if (f == nullptr) return {};
  const SDL_Color fg{font.color.r, font.color.g, font.color.b, 255};
  const SDL_Color bg{background.r, background.g, background.b, 255};
  SDL_Surface* shaded = TTF_RenderUTF8_Shaded(f, utf8.c_str(), fg, bg);
  if (shaded == nullptr) return {};
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(shaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(shaded);
  if (argb == nullptr) return {};
  return TakeArgbSurface(argb);
}

}  // namespace vorlask
