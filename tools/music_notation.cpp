#include "tools/music_notation.h"

#include <sstream>
#include <stdexcept>

namespace vorlask::music {

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what);
}

namespace {

int PitchClass(char letter) {
  switch (letter) {
    case 'C':
      return 0;
    case 'D':
      return 2;
    case 'E':
      return 4;
    case 'F':
      return 5;
    case 'G':
      return 7;
    case 'A':
      return 9;
    case 'B':
      return 11;
    default:
      Fail(std::string("no note ") + letter);
  }
}

// Root pitch class and the rest of the text after the letter and its accidental.
// A sharp (+1) or a flat (-1) after a note's letter, read past; 0 when there is none.
int Accidental(const std::string& text, std::size_t& pos) {
  if (pos >= text.size() || (text[pos] != '#' && text[pos] != 'b')) return 0;
  return text[pos++] == '#' ? 1 : -1;
}

int ReadRoot(const std::string& text, std::size_t& pos) {
  if (pos >= text.size()) Fail("missing note name in \"" + text + "\"");
  const int pc = PitchClass(text[pos++]);
  return (pc + Accidental(text, pos) + 12) % 12;
}

}  // namespace

int ReadNote(const std::string& name) {
  std::size_t pos = 0;
  int note = PitchClass(name.at(pos++));
  note += Accidental(name, pos);
  note += (std::stoi(name.substr(pos)) + 1) * 12;
  if (note < 21 || note > 108) Fail("note out of the piano's range: " + name);
  return note;
}

Chord ReadChord(const std::string& name) {
  Chord c;
  std::size_t pos = 0;
  c.root = ReadRoot(name, pos);
  std::string quality = name.substr(pos);
  if (!quality.empty() && quality.back() == '!') {
    c.final = true;
    quality.pop_back();
  }
  if (quality.empty()) {
    c.intervals = {0, 4, 7};
  } else if (quality == "m") {
    c.intervals = {0, 3, 7};
  } else if (quality == "7") {
    c.intervals = {0, 4, 7, 10};
  } else if (quality == "m7") {
    c.intervals = {0, 3, 7, 10};
  } else if (quality == "dim") {
    c.intervals = {0, 3, 6, 9};
  } else if (quality == "aug") {
    c.intervals = {0, 4, 8};
  } else {
    Fail("unknown chord \"" + name + "\"");
  }
  return c;
}

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> out;
  std::string item;
  std::istringstream in(text);
  while (std::getline(in, item, sep)) {
    if (!item.empty()) out.push_back(item);
  }
  return out;
}

}  // namespace vorlask::music
