// Reads the notation the tunes are written in (tools/music_notes.h): note names, chord names and
// the tokens of a bar. Every mistake in the notes is thrown as a std::runtime_error that says
// what is wrong, for make_music to name the tune and bar it is in.
#pragma once

#include <string>
#include <vector>

namespace vorlask::music {

[[noreturn]] void Fail(const std::string& what);

// MIDI note number of a name such as "C4" (60), "F#5", "Bb3".
int ReadNote(const std::string& name);

struct Chord {
  int root = 0;  // pitch class, C = 0
  std::vector<int> intervals;
  bool final = false;
};

// A chord name such as "C", "F#dim", "Bb7!".
Chord ReadChord(const std::string& name);

// The non-empty items of the text between separators.
std::vector<std::string> Split(const std::string& text, char sep);

}  // namespace vorlask::music
