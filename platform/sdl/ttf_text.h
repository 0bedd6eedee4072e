#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gfx/canvas.h"

typedef struct _TTF_Font TTF_Font;

namespace vorlask {

// Renders the canvas font with SDL_ttf. "Arial" is drawn with Liberation Sans, which has the
// same metrics; the text is anti-aliased against the background colour, as text written on
// an opaque brush looks.
class TtfTextRenderer : public TextRenderer {
 public:
  explicit TtfTextRenderer(std::string bold_font_file);
  ~TtfTextRenderer() override;
  TtfTextRenderer(const TtfTextRenderer&) = delete;
  TtfTextRenderer& operator=(const TtfTextRenderer&) = delete;

  // False when SDL_ttf or the font file is not available; error says why.
  bool Ready(std::string& error) const;
  Image Render(const std::string& utf8, const Font& font, Color background) override;

 private:
  TTF_Font* FontFor(const Font& font);

  std::string file_;
  std::vector<unsigned char> bytes_;  // the font file, read once; every size is opened from it
  bool initialised_ = false;
  std::string error_;
  std::map<std::pair<int, bool>, TTF_Font*> fonts_;
};

}  // namespace vorlask
