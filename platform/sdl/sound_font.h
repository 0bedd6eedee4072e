#pragma once

#include <string>
#include <vector>

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
  ~SoundFont() { ReleaseDataFile(held_); }
  SoundFont(const SoundFont&) = delete;
  SoundFont& operator=(const SoundFont&) = delete;

  // Finds, opens and checks it, once; false with the whole reason, naming the file, when it
  // cannot be used.
  bool Open(std::string& error);
  // The path the person knows it by.
  const std::string& Path() const { return path_; }
  // The name the synthesizer is to open it by.
  std::string NameForSynthesizer() const;

 private:
  std::vector<std::string> candidates_;
  std::string path_;
  HeldDataFile held_;
};

}  // namespace vorlask
