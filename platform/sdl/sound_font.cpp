#include "platform/sdl/sound_font.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>

#include "checks/file_result.h"
#include "checks/sound_font_check.h"
#include "platform/sdl/system.h"

namespace vorlask {

std::vector<std::string> SoundFontCandidates() {
  std::vector<std::string> fonts;
  if (const char* chosen = SDL_getenv("SDL_SOUNDFONTS"); chosen != nullptr) {
    std::string list = chosen;
    // Parted as SDL_mixer parts it: where a drive's letter ends in ':', by ';' alone.
    const char* separators = std::filesystem::path::preferred_separator == '/' ? ":;" : ";";
    std::size_t at = 0;
    while (at <= list.size()) {
      const std::size_t end = std::min(list.find_first_of(separators, at), list.size());
      if (end > at) fonts.push_back(list.substr(at, end - at));
      at = end + 1;
    }
  }
  for (std::string& font : SoundFontFiles())
    fonts.push_back(std::move(font));
  return fonts;
}

bool SoundFont::Open(std::string& error) {
  if (held_.handle >= 0) return true;
  std::string reason;
  FileResult result = FileResult::kMissing;
  for (const std::string& font : candidates_) {
    result = HoldDataFile(font, 12, held_, reason);
    if (result != FileResult::kMissing && result != FileResult::kNotAFile) {
      path_ = font;
      break;
    }
  }
  if (path_.empty()) {
    path_ = candidates_.empty() ? std::string("(none)") : candidates_.front();
    result = FileResult::kMissing;
  }
  if (result == FileResult::kLoaded) {
    reason = IsSoundFont(path_) ? SoundFontProblem(held_.head, held_.size)
                                : ConfigurationProblem(held_.size);
    if (!reason.empty()) result = FileResult::kDamaged;
  }
  if (result != FileResult::kLoaded) {
    error = "the MIDI sound font " + path_ + FileProblem(result, reason);
    ReleaseDataFile(held_);
    path_.clear();
    return false;
  }
  return true;
}

std::string SoundFont::NameForSynthesizer() const {
  // FluidSynth reads a SoundFont by the name of the file checked above; Timidity reads its
  // configuration, and the instruments it names, by their paths.
  return IsSoundFont(path_) ? held_.name : path_;
}

}  // namespace vorlask
