// Crafted tunes that break each rule the synthesizer relies on, and the game's own, which keep
// them: the check names the breach, and its bounds hold to the event.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "checks/tune_check.h"
#include "support/temp_folder.h"

namespace vorlask::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kHostile = fs::path(VORLASK_SOURCE_DIR) / "tests" / "hostile";

// A Standard MIDI File of one track: its header (6 bytes long unless told), then the track's
// bytes as given, which end the track themselves.
std::vector<unsigned char> Midi(std::vector<unsigned char> track, unsigned division = 480,
                                unsigned header = 6) {
  std::vector<unsigned char> b = {'M',
                                  'T',
                                  'h',
                                  'd',
                                  0,
                                  0,
                                  0,
                                  static_cast<unsigned char>(header),
                                  0,
                                  1,
                                  0,
                                  1,
                                  static_cast<unsigned char>(division >> 8),
                                  static_cast<unsigned char>(division)};
  b.resize(8 + header);
  for (unsigned char c : {'M', 'T', 'r', 'k'})
    b.push_back(c);
  for (int shift = 24; shift >= 0; shift -= 8)
    b.push_back(static_cast<unsigned char>(track.size() >> shift));
  b.insert(b.end(), track.begin(), track.end());
  return b;
}

// The same with the end of the track added.
std::vector<unsigned char> Tune(std::vector<unsigned char> events, unsigned division = 480) {
  for (unsigned char c : {0x00, 0xFF, 0x2F, 0x00})
    events.push_back(c);
  return Midi(events, division);
}

// `count` events of three bytes each, the first `first` ticks after what went before and the
// others `gap` ticks apart, by running status.
std::vector<unsigned char> Events(unsigned status, std::size_t count, unsigned char first = 0,
                                  unsigned char gap = 0) {
  std::vector<unsigned char> e = {first, static_cast<unsigned char>(status), 60, 64};
  for (std::size_t i = 1; i < count; ++i) {
    e.insert(e.end(), {gap, static_cast<unsigned char>(40 + i % 40), 64});
  }
  return e;
}

std::vector<unsigned char> Join(std::vector<unsigned char> a, const std::vector<unsigned char>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A valid tune of exactly `size` bytes (at least 160), made up with a text event.
std::vector<unsigned char> TuneOfSize(std::size_t size) {
  const std::size_t text = size - 32;  // the header, the chunk, the event's fields, the end
  std::vector<unsigned char> e = {0x00,
                                  0xFF,
                                  0x01,
                                  static_cast<unsigned char>(0x80 | text >> 14),
                                  static_cast<unsigned char>(0x80 | (text >> 7 & 0x7F)),
                                  static_cast<unsigned char>(text & 0x7F)};
  e.resize(e.size() + text, 'x');
  return Tune(e);
}

// `count` "GM system on" messages, the first `first` ticks after what went before.
std::vector<unsigned char> GmSystemOn(std::size_t count, unsigned char first = 0) {
  std::vector<unsigned char> e;
  for (std::size_t i = 0; i < count; ++i)
    e.insert(e.end(), {i == 0 ? first : std::uint8_t{0}, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
  return e;
}

// `count` changes to the piano's program at once, by running status.
std::vector<unsigned char> Programs(std::size_t count) {
  std::vector<unsigned char> e = {0x00, 0xC0, 0x00};
  for (std::size_t i = 1; i < count; ++i)
    e.insert(e.end(), {0x00, 0x00});
  return e;
}

// A tempo of 480,000 microseconds a beat: at 480 ticks a beat, a tick is a millisecond.
const std::vector<unsigned char> kTickAMillisecond = {0x00, 0xFF, 0x51, 0x03, 0x07, 0x53, 0x00};

struct TuneCase {
  const char* name;
  std::vector<unsigned char> bytes;
  const char* reason;  // "" for a tune that passes
};

// Every rule the synthesizer relies on, each broken by a tune of its own, and the reason the
// check gives; and tunes at the bounds, which pass.
std::vector<TuneCase> TuneCases() {
  std::vector<unsigned char> past_count;  // nine of the longest times, each before a text
  for (int i = 0; i < 9; ++i)
    past_count.insert(past_count.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
  return {
      {"a time of five bytes", Tune({0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 64}), "too long"},
      {"data before any status", Tune({0x00, 60, 64}), "without a status"},
      {"running status across a meta event",
       Tune({0x00, 0x90, 60, 64, 0x00, 0xFF, 0x01, 0x00, 0x00, 60, 0}), "without a status"},
      {"a meta event past its chunk", Tune({0x00, 0xFF, 0x01, 0x7F, 'x'}), "runs past its end"},
      {"a system-exclusive past its chunk", Tune({0x00, 0xF0, 0x8F, 0x7F}), "runs past its end"},
      {"a tempo of zero", Tune({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}), "tempo that is zero"},
      {"a data byte out of range", Tune({0x00, 0x90, 60, 0x80}), "out of range"},
      {"a real-time byte", Tune({0x00, 0xF8}), "cannot hold"},
      {"time in frames", Tune({}, 0xE728), "frames of a second"},
      {"no ticks a beat", Tune({}, 0), "no ticks"},
      {"a header of 7 bytes", Midi({0x00, 0xFF, 0x2F, 0x00}, 480, 7), "header is 7 bytes"},
      {"more ticks than the synthesizer counts", Tune(Join(past_count, {0x90, 60, 64})),
       "longer than the synthesizer can count"},
      {"events after the end", Midi({0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 60, 64}),
       "goes on after its end"},
      {"no end", Midi({0x00, 0x90, 60, 64}), "does not end"},
      {"as many events as the bound", Tune(Events(0x80, kMaxTuneEvents - 1, 0, 1)), ""},
      {"one event more", Tune(Events(0x80, kMaxTuneEvents, 0, 1)), "more than 16384 events"},
      {"a file at the bound", TuneOfSize(kMaxTuneBytes), ""},
      {"a file one byte past it", TuneOfSize(kMaxTuneBytes + 1), "more than any tune"},
      {"32 notes at once, 10 ms apart", Tune(Join(Events(0x90, 32), Events(0x90, 32, 10))), ""},
      {"a 33rd note exactly 10 ms after the first",
       Tune(Join(kTickAMillisecond, Join(Events(0x90, 32), Events(0x90, 1, 10)))), ""},
      {"a 33rd note 9 ms after the first",
       Tune(Join(kTickAMillisecond, Join(Events(0x90, 32), Events(0x90, 1, 9)))),
       "starts 33 notes within 10 ms"},
      {"33 notes at once", Tune(Events(0x90, 33)), "starts 33 notes within 10 ms"},
      {"33 notes a tick apart at a fast tempo",
       Tune(Join({0x00, 0xFF, 0x51, 0x03, 0x00, 0x03, 0xE8}, Events(0x90, 33, 0, 1))),
       "starts 33 notes within 10 ms"},
      {"128 controllers before any note", Tune(Events(0xB0, 128)), ""},
      {"30 pitch bends at once over 64 voices", Tune(Join(Events(0x90, 32), Events(0xE0, 30, 20))),
       ""},
      {"31 pitch bends at once over 64 voices", Tune(Join(Events(0x90, 32), Events(0xE0, 31, 20))),
       "asks the synthesizer for 8432 changes to its voices within 10 ms"},
      {"512 program changes at once", Tune(Programs(512)), ""},
      {"513 program changes at once", Tune(Programs(513)), "asks the synthesizer for 8208 changes"},
      {"8 resets of every channel before any note", Tune(GmSystemOn(8)), ""},
      {"9 resets of every channel before any note", Tune(GmSystemOn(9)),
       "asks the synthesizer for 9216 changes"},
      {"4 resets of every channel over 64 voices", Tune(Join(Events(0x90, 32), GmSystemOn(4, 20))),
       ""},
      {"5 resets of every channel over 64 voices", Tune(Join(Events(0x90, 32), GmSystemOn(5, 20))),
       "asks the synthesizer for 10240 changes"},
  };
}

// The tunes above, then the crafted files kept here and the game's own tunes: each is refused
// with the reason it should be, or passes.
TEST(HostileTunes, EachBreachOfTheRulesIsNamedAndTheBoundsHoldExactly) {
  for (const TuneCase& c : TuneCases()) {
    SCOPED_TRACE(c.name);
    const std::string problem = TuneProblem(c.bytes.data(), c.bytes.size());
    if (*c.reason == '\0') {
      EXPECT_EQ(problem, "");
    } else {
      EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
    }
  }
  const std::pair<fs::path, const char*> files[] = {
      {kHostile / "zero-tracks.mid", "declares 0 tracks"},
      {kHostile / "notes-at-once-16KiB.mid", "notes within 10 ms"},
      {kHostile / "densest-allowed.mid", ""},
      {kHostile / "pitch-bends-over-256-voices.mid", "changes to its voices within 10 ms"},
      {kHostile / "gm-system-on-flood.mid", "changes to its voices within 10 ms"},
      {fs::path(VORLASK_SOURCE_DATA_DIR) / "entrtanr.mid", ""},
      {fs::path(VORLASK_SOURCE_DATA_DIR) / "hellomyb.mid", ""},
      {fs::path(VORLASK_SOURCE_DATA_DIR) / "maplerag.mid", ""},
  };
  for (const auto& [file, reason] : files) {
    SCOPED_TRACE(file.string());
    const std::vector<unsigned char> bytes = ReadBytes(file);
    const std::string problem = TuneProblem(bytes.data(), bytes.size());
    EXPECT_TRUE(*reason == '\0' ? problem.empty() : problem.find(reason) != std::string::npos)
        << problem;
  }
}

}  // namespace
}  // namespace vorlask::testing
