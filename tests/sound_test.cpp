#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/system.h"
#include "support/temp_folder.h"
#include "ui/form.h"

namespace vorlask::testing {
namespace {

std::string DataFile(const char* name) {
  return std::string(VORLASK_SOURCE_DATA_DIR) + "/" + name;
}

// What a Standard MIDI File holds, as far as the game cares.
struct Tune {
  double seconds = 0;
  int notes = 0;
  int lowest = 127, highest = 0;
  std::vector<int> programs;
};

// A place in a file's bytes that will not read past their end.
struct MidiReader {
  const std::vector<std::uint8_t>& b;
  std::size_t p = 0;

  void Need(std::size_t n) const {
    if (p + n > b.size()) throw std::runtime_error("file ends early");
  }
  // A big-endian number of n bytes.
  std::uint32_t Big(int n) {
    Need(static_cast<std::size_t>(n));
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
      v = (v << 8) | b[p++];
    return v;
  }
  // The length of the chunk with the given id, read past its header.
  std::uint32_t Chunk(const char* id) {
    Need(4);
    if (std::string(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(p) + 4) != id)
      throw std::runtime_error(std::string("no ") + id);
    p += 4;
    return Big(4);
  }
};

struct Tempo {
  std::uint64_t tick;
  std::uint32_t micros;
};

// Reads one track's events into the tune and its tempo changes; returns the track's last tick.
std::uint64_t ReadTrack(MidiReader& in, Tune& t, std::vector<Tempo>& tempos) {
  const std::vector<std::uint8_t>& b = in.b;
  std::size_t& p = in.p;
  // The length is read, and p moved past the chunk's header, before p is taken.
  const std::uint32_t length = in.Chunk("MTrk");
  const std::size_t end = p + length;
  if (end > b.size()) throw std::runtime_error("track runs past the file");
  std::uint64_t tick = 0;
  std::uint8_t status = 0;
  bool ended = false;
  while (p < end && !ended) {
    std::uint32_t delta = 0;
    do {
      in.Need(1);
      delta = (delta << 7) | (b[p] & 0x7F);
    } while (b[p++] & 0x80);
    tick += delta;
    in.Need(1);
    if (b[p] & 0x80) status = b[p++];
    if (status == 0xFF) {
      in.Need(2);
      const std::uint8_t type = b[p++];
      const std::uint8_t len = b[p++];
      in.Need(len);
      if (type == 0x51)
        tempos.push_back(
            {tick, std::uint32_t{b[p]} << 16 | std::uint32_t{b[p + 1]} << 8 | b[p + 2]});
      if (type == 0x2F) ended = true;
      p += len;
      status = 0;
    } else {
      const int kind = status >> 4;
      const int size = kind == 0xC || kind == 0xD ? 1 : 2;
      in.Need(static_cast<std::size_t>(size));
      if (kind == 0x9 && b[p + 1] > 0) {
        ++t.notes;
        t.lowest = std::min<int>(t.lowest, b[p]);
        t.highest = std::max<int>(t.highest, b[p]);
      }
      if (kind == 0xC) t.programs.push_back(b[p]);
      if (kind < 0x8) throw std::runtime_error("running status without a status");
      p += static_cast<std::size_t>(size);
    }
  }
  if (!ended || p != end) throw std::runtime_error("track not closed by its end event");
  return tick;
}

// How long the ticks up to last_tick last, at the tempo changes and 120 beats a minute before
// the first.
double Seconds(std::vector<Tempo> tempos, std::uint64_t last_tick, std::uint32_t division) {
  double seconds = 0;
  std::sort(tempos.begin(), tempos.end(), [](auto& x, auto& y) { return x.tick < y.tick; });
  std::uint64_t at = 0;
  std::uint32_t micros = 500000;
  for (const Tempo& tempo : tempos) {
    seconds += static_cast<double>(tempo.tick - at) * micros / division / 1e6;
    at = tempo.tick;
    micros = tempo.micros;
  }
  seconds += static_cast<double>(last_tick - at) * micros / division / 1e6;
  return seconds;
}

// Reads a format 0 or 1 file with a ticks-per-quarter division, following tempo changes.
// Fails the test on anything malformed.
Tune ReadTune(const std::vector<std::uint8_t>& b) {
  Tune t;
  MidiReader in{b};
  if (in.Chunk("MThd") != 6) throw std::runtime_error("bad header");
  const std::uint32_t format = in.Big(2), tracks = in.Big(2), division = in.Big(2);
  if (format > 1 || (division & 0x8000) != 0) throw std::runtime_error("unexpected format");
  std::vector<Tempo> tempos;
  std::uint64_t last_tick = 0;
  for (std::uint32_t track = 0; track < tracks; ++track)
    last_tick = std::max(last_tick, ReadTrack(in, t, tempos));
  t.seconds = Seconds(std::move(tempos), last_tick, division);
  return t;
}

TEST(MusicFiles, EachIsAWellFormedPianoTuneOfOneToTwoMinutes) {
  for (const char* name : kMusicFiles) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> bytes = ReadBytes(DataFile(name));
    ASSERT_FALSE(bytes.empty());
    Tune t;
    ASSERT_NO_THROW(t = ReadTune(bytes));
    EXPECT_GE(t.seconds, 45.0);
    EXPECT_LE(t.seconds, 120.0);
    EXPECT_GT(t.notes, 500);
    EXPECT_GE(t.lowest, 21);  // on the keyboard
    EXPECT_LE(t.highest, 108);
    ASSERT_FALSE(t.programs.empty());
    for (int program : t.programs)
      EXPECT_LT(program, 8);  // a piano
  }
}

// The real sound path: the game's media player plays each file with SDL_mixer through
// FluidSynth and the General MIDI sound font into SDL's disk audio driver, which writes the
// mixed samples to a file at the pace of a sound card.
class RealSound : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(SoundFontFiles().front())) GTEST_SKIP() << "no sound font";
    out_ = folder_.File("sound.raw");
    SDL_setenv("SDL_AUDIODRIVER", "disk", 1);
    SDL_setenv("SDL_DISKAUDIOFILE", out_.c_str(), 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    RegisterLoopEvents();
  }
  void TearDown() override { SDL_Quit(); }
  // Plays the file for a moment and returns the root mean square of the samples written.
  double PlayAndMeasure(const std::string& file, std::size_t& samples) {
    {
      SdlMediaPlayer player({SoundFontFiles().front()});
      std::string error;
      EXPECT_EQ(player.Open(file, error), MediaPlayer::OpenResult::kOpened) << error;
      player.Play();
      std::this_thread::sleep_for(std::chrono::milliseconds(1500));
      player.Close();
    }
    const std::vector<std::uint8_t> raw = ReadBytes(out_);
    samples = raw.size() / 2;
    double sum = 0;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
      std::int16_t s = 0;
      std::memcpy(&s, &raw[i], 2);
      sum += static_cast<double>(s) * s;
    }
    return samples == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(samples));
  }
  TempFolder folder_;
  std::string out_;
};

TEST_F(RealSound, EachTunePlaysAudiblyThroughTheSoundFont) {
  for (const char* name : kMusicFiles) {
    SCOPED_TRACE(name);
    std::size_t samples = 0;
    const double rms = PlayAndMeasure(DataFile(name), samples);
    EXPECT_GE(samples, 2u * 44100u);  // a second, both channels
    EXPECT_GT(rms, 300.0);            // of a full scale of 32767; silence is 0
  }
}

}  // namespace
}  // namespace vorlask::testing
