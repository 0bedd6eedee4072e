// The game's three background tunes as notes: piano rags in 2/4, each strain sixteen bars with
// first and second endings. Each bar holds its right hand note by note and the names of its
// chords, from which make_music builds the left hand the way a ragtime pianist reads a lead
// sheet.
//
// Notation of a bar's right hand: space-separated tokens PITCH:LENGTH, where PITCH is a note name
// with octave (C4 is middle C; '#' and 'b' for sharp and flat), several joined by '+' for a
// chord, or 'r' for a rest, and LENGTH is in sixteenth notes. Every bar must add up to eight.
// A bar's chords are one name for the whole bar or two separated by ',' (one per beat); a name
// is a root with an optional quality: m, 7, m7, dim (diminished seventh), aug. A trailing '!'
// ends the tune: root and chord struck together and held for a beat.
#pragma once

#include <vector>

namespace vorlask::music {

struct Bar {
  const char* chords;
  const char* melody;
};
using Section = std::vector<Bar>;

struct Part {
  Section bars;
  bool octave_below = false;  // double the right hand an octave lower, for a fuller strain
  int tempo = 0;              // quarter notes a minute from here on; 0 keeps the current one
};

struct Tune {
  const char* file;
  const char* title;
  int tempo;
  int key;  // sharps (positive) or flats (negative) of the key signature
  std::vector<Part> parts;
};

// The three tunes, in the order of their files.
std::vector<Tune> Tunes();

}  // namespace vorlask::music
