#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorlask {

// The music's instruments are named by one file: a SoundFont (".sf2", ".sf3"), which FluidSynth
// reads by name, or else the configuration of Timidity, which the page and Windows use.
bool IsSoundFont(const std::string& name);
// A SoundFont whose samples are plain 16-bit data (".sf2"), which the game can cut down to what
// a tune plays; a compressed one (".sf3") is handed to the synthesizer whole.
bool IsPlainSoundFont(const std::string& name);

// What is wrong with a SoundFont of `size` bytes whose first bytes are `head`, or an empty
// text: it must be a RIFF file of the form "sfbk" whose header gives its true length.
std::string SoundFontProblem(const std::vector<unsigned char>& head, std::uint64_t size);

// Timidity reads its configuration a byte at a time as the audio opens, on the window's thread;
// one that names a whole General MIDI set takes a few hundred kB, and a megabyte is read in a
// few hundredths of a second.
inline constexpr std::uint64_t kMaxTimidityCfgBytes = 1024 * 1024;
// What is wrong with a Timidity configuration of `size` bytes, or an empty text. The
// instruments it names are left to Timidity, which opens them by name as it loads a tune.
std::string ConfigurationProblem(std::uint64_t size);

}  // namespace vorlask
