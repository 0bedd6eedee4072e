// Writes the game's three background tunes as Standard MIDI Files: piano rags in 2/4, a
// syncopated right hand over an oom-pah left hand. The right hand is played as written in the
// notes (tools/music_notes.cpp); the left hand is arranged here from the chord names of each
// bar, the way a ragtime pianist reads a lead sheet.
//
// Usage: make_music OUTPUT_FOLDER

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/midi_track.h"
#include "tools/music_notation.h"
#include "tools/music_notes.h"
#include "tools/output_folder.h"

using namespace vorlask::music;

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerSixteenth = kTicksPerQuarter / 4;
constexpr int kSixteenthsPerBar = 8;

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

// Both hands of one bar from `tick` on.
void PlayBar(Track& right, Track& left, long tick, const Bar& bar, bool octave_below) {
  const int length = RightHand(right, tick, bar.melody, octave_below);
  if (length != kSixteenthsPerBar) Fail("the right hand lasts " + std::to_string(length));
  const std::vector<std::string> chords = Split(bar.chords, ',');
  if (chords.empty() || chords.size() > 2) Fail("one or two chords a bar");
  const int each = kSixteenthsPerBar / static_cast<int>(chords.size());
  for (std::size_t i = 0; i < chords.size(); ++i) {
    LeftHand(left, tick + static_cast<long>(i) * each * kTicksPerSixteenth, each,
             ReadChord(chords[i]));
  }
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
        PlayBar(right, left, tick, bar, part.octave_below);
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
  std::string folder;
  if (!vorlask::tools::OutputFolder(argc, argv, "make_music", folder)) return 2;
  try {
    for (const Tune& tune : Tunes()) {
      double seconds = 0;
      const std::vector<std::uint8_t> bytes = Render(tune, seconds);
      const std::filesystem::path path = std::filesystem::path(folder) / tune.file;
      std::ofstream out(path, std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      // The last bytes reach the file only when it is closed, and may fail to.
      out.close();
      if (!out) Fail("cannot write " + path.string());
      std::printf("%s: %.1f s, %zu bytes\n", path.string().c_str(), seconds, bytes.size());
    }
  } catch (const std::exception& e) {
    std::cerr << "make_music: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
