#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "checks/tune_check.h"

namespace vorlask {

// A SoundFont holds the samples of a whole General MIDI set, and the synthesizer loads all of
// them whatever a tune plays: several megabytes for a small set, hundreds for a large one. The
// game's tunes play the piano alone. So the player hands the synthesizer a SoundFont cut down to
// the presets a tune plays, made from the chosen one: its presets, instruments and samples with
// everything else left out, the sample data copied for those samples only.

// Reads `size` bytes of the SoundFont file from `offset` into `out`; false when it cannot.
using ReadAt =
    std::function<bool(std::uint64_t offset, std::size_t size, std::vector<unsigned char>& out)>;

// Where a SoundFont keeps its sample data and its preset data (the "smpl" and "pdta" chunks).
struct SoundFontChunks {
  std::uint64_t samples_offset = 0;
  std::uint64_t samples_bytes = 0;
  std::uint64_t presets_offset = 0;  // of the pdta list's contents
  std::uint64_t presets_bytes = 0;
};

// The preset data of a large General MIDI set takes a few hundred kB; the samples of its piano
// a few MB. Nothing larger is read.
inline constexpr std::uint64_t kMaxPresetDataBytes = 4u * 1024 * 1024;
inline constexpr std::uint64_t kMaxCutSampleBytes = 32u * 1024 * 1024;

// Finds the chunks of a SoundFont of `size` bytes whose RIFF header was found sound; what is
// wrong with its structure, or an empty text.
std::string FindSoundFontChunks(const ReadAt& read, std::uint64_t size, SoundFontChunks& chunks);

// Writes into `out` a SoundFont that holds those of `presets` the font has, and the samples
// they play. What keeps it from playing any of them (no such preset, or no sample of theirs
// within the sample data), or an empty text.
std::string CutSoundFont(const ReadAt& read, const SoundFontChunks& chunks,
                         const std::vector<Preset>& presets, std::vector<unsigned char>& out);

}  // namespace vorlask
