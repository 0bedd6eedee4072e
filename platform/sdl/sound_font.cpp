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
    if (reason.empty() && IsPlainSoundFont(path_)) {
      reason = FindSoundFontChunks(
          [this](std::uint64_t offset, std::size_t size, std::vector<unsigned char>& out) {
            return ReadHeldData(held_, offset, size, out);
          },
          held_.size, chunks_);
    }
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

bool SoundFont::NameFor(const std::vector<Preset>& presets, std::string& name, std::string& error) {
  // Timidity reads its configuration, and loads only the instruments a tune plays, by their
  // paths; FluidSynth reads a compressed SoundFont whole, by the name of the file checked.
  name = IsSoundFont(path_) ? held_.name : path_;
  if (!IsPlainSoundFont(path_)) return true;
  // A tune that plays no note has a piano all the same, as every channel has at first.
  const std::vector<Preset> wanted = presets.empty() ? std::vector<Preset>{{0, 0}} : presets;
  if (cut_.handle >= 0 && wanted == cut_for_) {
    name = cut_.name;
    return true;
  }
  std::vector<unsigned char> cut;
  const std::string problem = CutSoundFont(
      [this](std::uint64_t offset, std::size_t size, std::vector<unsigned char>& out) {
        return ReadHeldData(held_, offset, size, out);
      },
      chunks_, wanted, cut);
  if (!problem.empty()) {
    error = "the MIDI sound font " + path_ + " cannot play the music: " + problem;
    return false;
  }
  ReleaseDataFile(cut_before_);
  cut_before_ = std::move(cut_);
  cut_ = HeldDataFile{};
  // Where no file can be held in memory, FluidSynth reads the whole font, by the name of the
  // very file checked.
  name = HoldMadeFile(cut, cut_) ? cut_.name : held_.name;
  cut_for_ = wanted;
  return true;
}

}  // namespace vorlask
