#pragma once

#include <string>
#include <vector>

#include "checks/sound_font_cut.h"
#include "checks/tune_check.h"
#include "platform/sdl/data_file.h"

namespace vorlask {

// The sound fonts the music may use, in order: the ones SDL_mixer's SDL_SOUNDFONTS names, if
// the person chose any, then the system's own (SoundFontFiles).
std::vector<std::string> SoundFontCandidates();

// The music's instruments: the first candidate that is a file, held open and checked for the
// rest of the run, so that the synthesizer reads the very file that was checked.
class SoundFont {
 public:
  explicit SoundFont(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {}
  ~SoundFont() {
    ReleaseDataFile(held_);
    ReleaseDataFile(cut_);
    ReleaseDataFile(cut_before_);
  }
  SoundFont(const SoundFont&) = delete;
  SoundFont& operator=(const SoundFont&) = delete;

  // Finds, opens and checks it, once; false with the whole reason, naming the file, when it
  // cannot be used.
  bool Open(std::string& error);
  // The path the person knows it by.
  const std::string& Path() const { return path_; }
  // The name the synthesizer is to open it by for a tune that plays `presets`: a SoundFont cut
  // down to them (checks/sound_font_cut.h), made once for each set of presets and held in
  // memory, where the system can hold a file there; otherwise the font itself. False, with the
  // whole reason, when the font cannot play any of them.
  bool NameFor(const std::vector<Preset>& presets, std::string& name, std::string& error);

 private:
  std::vector<std::string> candidates_;
  std::string path_;
  HeldDataFile held_;
  SoundFontChunks chunks_;
  // The latest cut font, and the one before, which a tune still loading may be reading.
  std::vector<Preset> cut_for_;
  HeldDataFile cut_;
  HeldDataFile cut_before_;
};

}  // namespace vorlask
