// Writes the game's three background tunes as Standard MIDI Files: piano rags in 2/4, a
// syncopated right hand over an oom-pah left hand, each strain sixteen bars with first and second
// endings. The right hand is written out note by note below; the left hand is made from the
// chord names of each bar, the way a ragtime pianist reads a lead sheet.
//
// Usage: make_music OUTPUT_FOLDER
//
// Notation of a bar's right hand: space-separated tokens PITCH:LENGTH, where PITCH is a note name
// with octave (C4 is middle C; '#' and 'b' for sharp and flat), several joined by '+' for a
// chord, or 'r' for a rest, and LENGTH is in sixteenth notes. Every bar must add up to eight.
// A bar's chords are one name for the whole bar or two separated by ',' (one per beat); a name
// is a root with an optional quality: m, 7, m7, dim (diminished seventh), aug. A trailing '!'
// ends the tune: root and chord struck together and held for a beat.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerSixteenth = kTicksPerQuarter / 4;
constexpr int kSixteenthsPerBar = 8;

struct Bar {
  const char* chords;
  const char* melody;
};
using Section = std::vector<Bar>;

Section operator+(Section a, const Section& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

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

// ---- Entertainment in C ----
// A gentle rag: introduction, a strain in C with two endings, a lyrical strain in F, the first
// strain again and a two-bar close.

const Section kEntrIntro = {
    {"C", "G5:1 A5:1 G5:1 E5:1 C5:2 E5:2"},
    {"G7", "D5:1 E5:1 D5:1 B4:1 G4:2 B4:2"},
    {"C,F", "C5:1 E5:2 G5:1 C6:2 A5:2"},
    {"G7", "G5:2 D5:2 F5:2 r:2"},
};
const Section kEntrAHead = {
    {"C", "E5:1 G5:2 E5:1 C6:2 G5:2"},       {"C", "A5:1 G5:2 E5:1 G5:4"},
    {"G7", "F5:1 D5:2 B4:1 D5:2 F5:2"},      {"C", "E5:3 D5:1 C5:2 r:2"},
    {"C7", "G5:1 Bb5:2 G5:1 E5:2 C5:2"},     {"F", "A5:1 C6:2 A5:1 F5:4"},
    {"D7", "F#5:1 A5:2 F#5:1 D5:2 C5:2"},    {"G7", "B4:2 D5:2 G5:2 F5:2"},
    {"C", "E5:1 G5:2 E5:1 C6:2 G5:2"},       {"C", "A5:1 G5:2 E5:1 G5:4"},
    {"A7", "C#5:1 E5:2 G5:1 A5:2 G5:2"},     {"Dm", "F5:1 A5:2 F5:1 D5:4"},
    {"F,F#dim", "C6:1 A5:2 F5:1 A5:2 C6:2"}, {"C,A7", "G5:2 E5:1 C5:1 C#5:1 E5:2 G5:1"},
};
const Section kEntrAEnd1 = {
    {"D7", "F#5:1 A5:2 D6:1 C6:2 A5:2"},
    {"G7", "B5:2 G5:2 D5:2 F5:2"},
};
const Section kEntrAEnd2 = {
    {"D7,G7", "F#5:1 A5:2 C6:1 B5:1 G5:2 F5:1"},
    {"C", "E5:2 G5:1 C6:3 r:2"},
};
const Section kEntrBHead = {
    {"F", "C5:2 F5:1 A5:2 C6:1 A5:2"},   {"F", "G5:1 A5:2 F5:1 C5:4"},
    {"C7", "E5:1 G5:2 Bb5:1 A5:2 G5:2"}, {"F", "F5:4 A4:2 C5:2"},
    {"F", "C5:2 F5:1 A5:2 C6:1 A5:2"},   {"F7", "Eb6:1 C6:2 A5:1 F5:2 Eb5:2"},
    {"Bb", "D5:1 F5:2 Bb5:1 D6:4"},      {"Bbm", "Db6:2 Bb5:2 F5:2 Db5:2"},
    {"F", "C5:1 F5:2 A5:1 C6:2 A5:2"},   {"D7", "F#5:1 A5:2 C6:1 D6:2 C6:2"},
    {"Gm", "Bb5:1 G5:2 D5:1 G5:4"},      {"C7", "E5:1 G5:2 Bb5:1 C6:2 Bb5:2"},
    {"F,D7", "A5:2 F5:2 F#5:2 A5:2"},    {"Gm,C7", "Bb5:2 G5:1 D5:1 E5:1 G5:2 Bb5:1"},
};
const Section kEntrBEnd1 = {
    {"C7", "G5:1 Bb5:2 G5:1 E5:2 C5:2"},
    {"C7", "Bb4:2 C5:2 E5:2 G5:2"},
};
const Section kEntrBEnd2 = {
    {"F,C7", "A5:2 F5:2 G5:2 E5:2"},
    {"F,G7", "F5:4 B4:1 D5:1 F5:1 G5:1"},
};
const Section kEntrCoda = {
    {"C,G7", "C6:1 G5:1 E5:1 C5:1 D5:1 F5:1 B5:2"},
    {"C!", "C5+E5+G5+C6:4 r:4"},
};

// ---- Hello, my baby ----
// A cakewalk song: a verse in G, a chorus in C, each played twice.

const Section kHelloIntro = {
    {"G", "D5:1 E5:1 D5:1 B4:1 G4:2 B4:2"},
    {"C,Cm", "C5:1 E5:2 G5:1 Eb5:2 G5:2"},
    {"G,E7", "D5:2 B4:2 G#4:2 B4:2"},
    {"A7,D7", "C#5:2 E5:2 F#5:2 C6:2"},
};
const Section kHelloAHead = {
    {"G", "D5:1 B4:2 D5:1 G5:2 D5:2"},   {"G", "E5:1 D5:2 B4:1 G4:4"},
    {"D7", "A4:1 C5:2 D5:1 F#5:2 A5:2"}, {"D7", "G5:1 F#5:2 E5:1 D5:4"},
    {"D7", "C5:1 D5:2 F#5:1 A5:2 C6:2"}, {"D7", "B5:1 A5:2 F#5:1 D5:4"},
    {"G", "B4:1 D5:2 G5:1 B5:2 A5:2"},   {"G", "G5:4 r:2 D5:2"},
    {"G", "D5:1 B4:2 D5:1 G5:2 D5:2"},   {"G7", "F5:1 D5:2 B4:1 F5:2 G5:2"},
    {"C", "E5:1 G5:2 C6:1 E6:2 C6:2"},   {"C", "D6:1 C6:2 G5:1 E5:4"},
    {"G,E7", "D5:2 G5:2 G#5:2 B5:2"},    {"A7,D7", "C#6:1 A5:2 E5:1 F#5:1 A5:2 C6:1"},
};
const Section kHelloAEnd1 = {
    {"A7", "C#5:1 E5:2 G5:1 A5:2 C#6:2"},
    {"D7", "D6:2 C6:2 A5:2 F#5:2"},
};
const Section kHelloAEnd2 = {
    {"G", "B5:2 G5:1 D5:1 G5:4"},
    {"G,G7", "G5:2 D5:1 B4:1 F5:2 D5:2"},
};
const Section kHelloBHead = {
    {"C", "G4:1 C5:2 E5:1 G5:4"},          {"C", "A5:1 G5:2 E5:1 C5:2 E5:2"},
    {"G7", "D5:1 F5:2 A5:1 G5:4"},         {"G7", "F5:1 D5:2 B4:1 G4:4"},
    {"G7", "B4:1 D5:2 F5:1 G5:2 B5:2"},    {"G7", "A5:1 G5:2 F5:1 D5:4"},
    {"C", "E5:1 G5:2 C6:1 E6:2 D6:2"},     {"C", "C6:4 r:2 G5:2"},
    {"C", "E5:1 G5:2 C6:1 E6:4"},          {"C7", "D6:1 C6:2 Bb5:1 G5:4"},
    {"F", "A5:1 C6:2 A5:1 F5:2 A5:2"},     {"F#dim", "Eb6:1 C6:2 A5:1 F#5:4"},
    {"C,A7", "G5:2 E5:2 E5:1 G5:2 C#5:1"}, {"D7,G7", "D5:1 F#5:2 A5:1 G5:1 F5:2 D5:1"},
};
const Section kHelloBEnd1 = {
    {"D7", "F#5:1 A5:2 C6:1 D6:2 A5:2"},
    {"G7", "B5:2 G5:2 F5:2 D5:2"},
};
const Section kHelloBEnd2 = {
    {"C", "E5:1 G5:2 C6:1 E6:2 D6:1 C6:1"},
    {"C,G7", "C6:2 G5:1 E5:1 D5:2 B4:2"},
};
const Section kHelloCoda = {
    {"C!", "C5+E5+G5+C6:4 r:4"},
};

// ---- A maple rag ----
// A bright rag without introduction: a strain in B flat, a broader strain in E flat with the
// tune in octaves, and the first strain again.

const Section kMapleAHead = {
    {"Bb", "F5:1 D5:1 F5:1 Bb5:1 D6:2 Bb5:2"}, {"Bb", "C6:1 Bb5:2 F5:1 D5:2 F5:2"},
    {"F7", "Eb5:1 F5:2 A5:1 C6:2 Eb6:2"},      {"Bb", "D6:1 Bb5:2 F5:1 Bb5:4"},
    {"Bb", "F5:1 D5:1 F5:1 Bb5:1 D6:2 Bb5:2"}, {"Bb7", "Ab5:1 Bb5:2 D6:1 F6:2 Ab5:2"},
    {"Eb", "G5:1 Bb5:2 Eb6:1 G6:2 Eb6:2"},     {"Ebm", "Gb6:1 Eb6:2 Bb5:1 Gb5:4"},
    {"Bb", "F5:1 D5:1 F5:1 Bb5:1 D6:2 Bb5:2"}, {"G7", "B5:1 D6:2 F6:1 D6:2 B5:2"},
    {"Cm", "C6:1 Eb6:2 G5:1 C6:2 Eb5:2"},      {"F7", "F5:1 A5:2 C6:1 Eb6:2 C6:2"},
    {"Bb,G7", "D6:2 Bb5:2 B5:1 D6:2 F6:1"},    {"Cm,F7", "Eb6:1 C6:2 G5:1 A5:1 C6:2 Eb6:1"},
};
const Section kMapleAEnd1 = {
    {"C7", "E5:1 G5:2 Bb5:1 C6:2 E6:2"},
    {"F7", "F6:2 Eb6:2 C6:2 A5:2"},
};
const Section kMapleAEnd2 = {
    {"Bb", "D6:1 F6:2 D6:1 Bb5:4"},
    {"Bb,Bb7", "Bb5+D6:2 F5:2 D5:1 F5:1 Ab5:1 F5:1"},
};
const Section kMapleAFinal = {
    {"Bb", "D6:1 F6:2 D6:1 Bb5:4"},
    {"Bb!", "Bb4+D5+F5+Bb5:4 r:4"},
};
const Section kMapleBHead = {
    {"Eb", "G5:1 Bb5:2 G5:1 Eb6:4"},          {"Eb", "D6:1 Eb6:2 Bb5:1 G5:4"},
    {"Bb7", "F5:1 Ab5:2 Bb5:1 D6:2 F6:2"},    {"Bb7", "Eb6:1 D6:2 Bb5:1 F5:4"},
    {"Bb7", "Ab5:1 Bb5:2 D6:1 F6:2 D6:2"},    {"Bb7", "C6:1 Bb5:2 Ab5:1 F5:4"},
    {"Eb", "G5:1 Bb5:2 Eb6:1 G6:2 F6:2"},     {"Eb", "Eb6:4 r:2 Bb5:2"},
    {"Eb", "G5:1 Bb5:2 G5:1 Eb6:4"},          {"Eb7", "Db6:1 Bb5:2 G5:1 Eb5:4"},
    {"Ab", "C6:1 Eb6:2 C6:1 Ab5:4"},          {"Adim", "C6:1 Eb6:2 Gb6:1 Eb6:4"},
    {"Eb,C7", "Eb6:2 Bb5:2 Bb5:1 G5:2 E5:1"}, {"F7,Bb7", "F5:1 A5:2 C6:1 D6:1 Bb5:2 Ab5:1"},
};
const Section kMapleBEnd1 = {
    {"Bb7", "F5:1 Ab5:2 Bb5:1 D6:2 F6:2"},
    {"Bb7", "Ab6:2 F6:2 D6:2 Bb5:2"},
};
const Section kMapleBEnd2 = {
    {"Eb", "G5:1 Bb5:2 Eb6:1 G6:4"},
    {"Eb,F7", "Eb6:4 C6:1 A5:1 F5:1 Eb5:1"},
};

std::vector<Tune> Tunes() {
  const Section entr_a1 = kEntrAHead + kEntrAEnd1;
  const Section entr_a2 = kEntrAHead + kEntrAEnd2;
  const Section hello_a1 = kHelloAHead + kHelloAEnd1;
  const Section hello_a2 = kHelloAHead + kHelloAEnd2;
  const Section hello_b1 = kHelloBHead + kHelloBEnd1;
  const Section hello_b2 = kHelloBHead + kHelloBEnd2;
  const Section maple_a1 = kMapleAHead + kMapleAEnd1;
  const Section maple_a2 = kMapleAHead + kMapleAEnd2;
  return {
      {"entrtanr.mid",
       "Entertainment in C",
       96,
       0,
       {{kEntrIntro},
        {entr_a1},
        {entr_a2},
        {kEntrBHead + kEntrBEnd1},
        {kEntrBHead + kEntrBEnd2},
        {entr_a2},
        {kEntrCoda, false, 80}}},
      {"hellomyb.mid",
       "Hello, my baby",
       104,
       1,
       {{kHelloIntro},
        {hello_a1},
        {hello_a2},
        {hello_b1},
        {hello_b2, true},
        {kHelloCoda, false, 84}}},
      {"maplerag.mid",
       "A maple rag",
       100,
       -2,
       {{maple_a1},
        {maple_a2},
        {kMapleBHead + kMapleBEnd1, true},
        {kMapleBHead + kMapleBEnd2, true},
        {kMapleAHead + kMapleAFinal}}},
  };
}

// ---- Reading the notation ----

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what);
}

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
int ReadRoot(const std::string& text, std::size_t& pos) {
  if (pos >= text.size()) Fail("missing note name in \"" + text + "\"");
  int pc = PitchClass(text[pos++]);
  if (pos < text.size() && text[pos] == '#') {
    ++pc;
    ++pos;
  } else if (pos < text.size() && text[pos] == 'b') {
    --pc;
    ++pos;
  }
  return (pc + 12) % 12;
}

// MIDI note number of a name such as "C4" (60), "F#5", "Bb3".
int ReadNote(const std::string& name) {
  std::size_t pos = 0;
  int note = PitchClass(name.at(pos++));
  if (pos < name.size() && name[pos] == '#') {
    ++note;
    ++pos;
  } else if (pos < name.size() && name[pos] == 'b') {
    --note;
    ++pos;
  }
  note += (std::stoi(name.substr(pos)) + 1) * 12;
  if (note < 21 || note > 108) Fail("note out of the piano's range: " + name);
  return note;
}

struct Chord {
  int root = 0;
  std::vector<int> intervals;
  bool final = false;
};

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

// ---- Writing the file ----

struct Event {
  long tick;
  int order;  // at one tick: note-offs, then controls, then note-ons
  std::vector<std::uint8_t> bytes;
};

class Track {
 public:
  void Add(long tick, int order, std::vector<std::uint8_t> bytes) {
    events_.push_back({tick, order, std::move(bytes)});
  }
  void Note(int channel, long start, long length, int note, int velocity) {
    const auto ch = static_cast<std::uint8_t>(channel);
    Add(start, 2,
        {static_cast<std::uint8_t>(0x90 | ch), static_cast<std::uint8_t>(note),
         static_cast<std::uint8_t>(std::clamp(velocity, 1, 127))});
    Add(start + std::max(1L, length), 0,
        {static_cast<std::uint8_t>(0x80 | ch), static_cast<std::uint8_t>(note), 64});
  }
  void Meta(long tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> b = {0xFF, type};
    AppendLength(b, data.size());
    b.insert(b.end(), data.begin(), data.end());
    Add(tick, 1, std::move(b));
  }
  void Text(long tick, std::uint8_t type, const std::string& text) {
    Meta(tick, type, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  std::vector<std::uint8_t> Chunk() {
    std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> data;
    long now = 0;
    for (const Event& e : events_) {
      AppendLength(data, static_cast<std::size_t>(e.tick - now));
      now = e.tick;
      data.insert(data.end(), e.bytes.begin(), e.bytes.end());
    }
    data.insert(data.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    AppendBig(chunk, data.size(), 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    return chunk;
  }

  static void AppendBig(std::vector<std::uint8_t>& out, std::size_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
      out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }

 private:
  // A variable-length quantity: seven bits a byte, most significant first.
  static void AppendLength(std::vector<std::uint8_t>& out, std::size_t value) {
    std::uint8_t buf[5];
    int n = 0;
    do {
      buf[n++] = static_cast<std::uint8_t>(value & 0x7F);
      value >>= 7;
    } while (value != 0);
    while (n > 1)
      out.push_back(static_cast<std::uint8_t>(buf[--n] | 0x80));
    out.push_back(buf[0]);
  }

  std::vector<Event> events_;
};

constexpr int kRightHand = 0;
constexpr int kLeftHand = 1;

void Setup(Track& t, int channel, int volume, int pan) {
  const auto ch = static_cast<std::uint8_t>(channel);
  t.Add(0, 1, {static_cast<std::uint8_t>(0xC0 | ch), 0});  // acoustic grand piano
  t.Add(0, 1, {static_cast<std::uint8_t>(0xB0 | ch), 7, static_cast<std::uint8_t>(volume)});
  t.Add(0, 1, {static_cast<std::uint8_t>(0xB0 | ch), 10, static_cast<std::uint8_t>(pan)});
  t.Add(0, 1, {static_cast<std::uint8_t>(0xB0 | ch), 91, 30});  // a little room
}

// The lowest note of a pitch class at or above `low`.
int NoteAtOrAbove(int pc, int low) {
  return low + ((pc - low) % 12 + 12) % 12;
}

// The left hand for one chord over `sixteenths` (a beat or a bar): a bass octave on each beat,
// root first and then the fifth below, each answered by the chord in the middle of the keyboard.
void LeftHand(Track& t, long start, int sixteenths, const Chord& c) {
  std::vector<int> voicing;
  for (int n = 52; n <= 63; ++n) {
    for (int iv : c.intervals) {
      if ((n - c.root - iv) % 12 == 0) voicing.push_back(n);
    }
  }
  const int root = NoteAtOrAbove(c.root, 36);
  const int fifth = NoteAtOrAbove((c.root + c.intervals[2]) % 12, 31);
  const long eighth = 2 * kTicksPerSixteenth;
  if (c.final) {
    for (int n : {root, root + 12})
      t.Note(kLeftHand, start, 4 * eighth, n, 84);
    for (int n : voicing)
      t.Note(kLeftHand, start, 4 * eighth, n, 70);
    return;
  }
  for (int beat = 0; beat < sixteenths / 4; ++beat) {
    const long at = start + beat * 2 * eighth;
    const int bass = beat == 0 ? root : fifth;
    t.Note(kLeftHand, at, eighth * 85 / 100, bass, beat == 0 ? 80 : 74);
    t.Note(kLeftHand, at, eighth * 85 / 100, bass + 12, beat == 0 ? 72 : 66);
    for (int n : voicing)
      t.Note(kLeftHand, at + eighth, eighth * 60 / 100, n, 60);
  }
}

// Plays one bar's right hand; returns its length in sixteenths.
int RightHand(Track& t, long start, const std::string& melody, bool octave_below) {
  int pos = 0;
  for (const std::string& token : Split(melody, ' ')) {
    const auto colon = token.find(':');
    if (colon == std::string::npos) Fail("no length in \"" + token + "\"");
    const int length = std::stoi(token.substr(colon + 1));
    if (length <= 0) Fail("no length in \"" + token + "\"");
    const std::string pitches = token.substr(0, colon);
    if (pitches != "r") {
      // Notes on a beat lean a little harder; notes struck off the beat and held across it
      // carry the syncopation and get an accent of their own.
      const bool on_beat = pos % 4 == 0;
      const bool syncopated = !on_beat && pos % 4 + length > 4;
      const int velocity = on_beat ? 92 : syncopated ? 96 : 82;
      const long len = static_cast<long>(length) * kTicksPerSixteenth * 92 / 100;
      for (const std::string& p : Split(pitches, '+')) {
        const int note = ReadNote(p);
        t.Note(kRightHand, start + pos * kTicksPerSixteenth, len, note, velocity);
        if (octave_below) {
          t.Note(kRightHand, start + pos * kTicksPerSixteenth, len, note - 12, velocity - 10);
        }
      }
    }
    pos += length;
  }
  return pos;
}

std::vector<std::uint8_t> Render(const Tune& tune, double& seconds) {
  Track conductor, right, left;
  conductor.Text(0, 0x03, tune.title);
  conductor.Text(0, 0x02, "Made for Vorlask; free to copy.");
  conductor.Meta(0, 0x58, {2, 2, 24, 8});  // 2/4
  conductor.Meta(0, 0x59, {static_cast<std::uint8_t>(tune.key), 0});
  right.Text(0, 0x03, "Right hand");
  left.Text(0, 0x03, "Left hand");
  Setup(right, kRightHand, 110, 72);
  Setup(left, kLeftHand, 96, 56);

  auto set_tempo = [&conductor](long tick, int bpm) {
    const long micros = 60'000'000L / bpm;
    conductor.Meta(tick, 0x51,
                   {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                    static_cast<std::uint8_t>(micros)});
  };
  int tempo = tune.tempo;
  set_tempo(0, tempo);
  seconds = 0;
  long tick = 0;
  int bar_number = 0;
  for (const Part& part : tune.parts) {
    if (part.tempo != 0 && part.tempo != tempo) {
      tempo = part.tempo;
      set_tempo(tick, tempo);
    }
    for (const Bar& bar : part.bars) {
      ++bar_number;
      try {
        const int length = RightHand(right, tick, bar.melody, part.octave_below);
        if (length != kSixteenthsPerBar) Fail("the right hand lasts " + std::to_string(length));
        const std::vector<std::string> chords = Split(bar.chords, ',');
        if (chords.empty() || chords.size() > 2) Fail("one or two chords a bar");
        const int each = kSixteenthsPerBar / static_cast<int>(chords.size());
        for (std::size_t i = 0; i < chords.size(); ++i) {
          LeftHand(left, tick + static_cast<long>(i) * each * kTicksPerSixteenth, each,
                   ReadChord(chords[i]));
        }
      } catch (const std::exception& e) {
        Fail(std::string(tune.file) + ", bar " + std::to_string(bar_number) + ": " + e.what());
      }
      tick += kSixteenthsPerBar * kTicksPerSixteenth;
      seconds += 2 * 60.0 / tempo;
    }
  }
  // Let the last chord ring before the tune ends.
  right.Add(tick + kTicksPerQuarter, 3, {static_cast<std::uint8_t>(0xB0 | kRightHand), 123, 0});

  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3};
  Track::AppendBig(file, kTicksPerQuarter, 2);
  for (Track* t : {&conductor, &right, &left}) {
    const std::vector<std::uint8_t> chunk = t->Chunk();
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_music OUTPUT_FOLDER\n";
    return 2;
  }
  try {
    for (const Tune& tune : Tunes()) {
      double seconds = 0;
      const std::vector<std::uint8_t> bytes = Render(tune, seconds);
      const std::filesystem::path path = std::filesystem::path(argv[1]) / tune.file;
      std::ofstream out(path, std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      if (!out) Fail("cannot write " + path.string());
      std::printf("%s: %.1f s, %zu bytes\n", path.string().c_str(), seconds, bytes.size());
    }
  } catch (const std::exception& e) {
    std::cerr << "make_music: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
