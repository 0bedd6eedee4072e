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

#include "checks/sound_font_check.h"
#include "checks/sound_font_cut.h"
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
  void TearDown() override {
    SDL_Quit();
    SDL_setenv("SDL_AUDIODRIVER", "", 1);
    SDL_setenv("SDL_DISKAUDIOFILE", "", 1);
  }
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

// Little-endian fields and ids, written one after another.
struct Riff {
  std::vector<unsigned char> bytes = std::vector<unsigned char>(0);
  Riff& U16(std::uint32_t v) {
    bytes.push_back(static_cast<unsigned char>(v));
    bytes.push_back(static_cast<unsigned char>(v >> 8));
    return *this;
  }
  Riff& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Riff& Id(const char* id) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<unsigned char>(id[i]));
    return *this;
  }
  Riff& Name(const char* name) {
    for (std::size_t i = 0; i < 20; ++i)
      bytes.push_back(i < std::strlen(name) ? static_cast<unsigned char>(name[i]) : 0);
    return *this;
  }
  Riff& Chunk(const char* id, const Riff& body) {
    Id(id).U32(static_cast<std::uint32_t>(body.bytes.size()));
    bytes.insert(bytes.end(), body.bytes.begin(), body.bytes.end());
    return *this;
  }
};

// A SoundFont of one preset (bank 0, program 0) that plays one sample of `length` samples.
std::vector<unsigned char> OneSampleFont(std::uint32_t length) {
  Riff smpl;
  smpl.bytes.assign(2 * (length + 46), 1);
  Riff pdta;
  pdta.Id("pdta");
  pdta.Chunk("phdr", Riff()
                         .Name("piano")
                         .U16(0)
                         .U16(0)
                         .U16(0)
                         .U32(0)
                         .U32(0)
                         .U32(0)
                         .Name("EOP")
                         .U16(0)
                         .U16(0)
                         .U16(1)
                         .U32(0)
                         .U32(0)
                         .U32(0));
  pdta.Chunk("pbag", Riff().U16(0).U16(0).U16(1).U16(0));
  pdta.Chunk("pmod", Riff().U32(0).U32(0).U16(0));
  pdta.Chunk("pgen", Riff().U16(41).U16(0).U32(0));
  pdta.Chunk("inst", Riff().Name("piano").U16(0).Name("EOI").U16(1));
  pdta.Chunk("ibag", Riff().U16(0).U16(0).U16(1).U16(0));
  pdta.Chunk("imod", Riff().U32(0).U32(0).U16(0));
  pdta.Chunk("igen", Riff().U16(53).U16(0).U32(0));
  pdta.Chunk("shdr", Riff()
                         .Name("note")
                         .U32(0)
                         .U32(length)
                         .U32(0)
                         .U32(length)
                         .U32(44100)
                         .U16(60)
                         .U16(0)
                         .U16(1)
                         .Name("EOS")
                         .U32(0)
                         .U32(0)
                         .U32(0)
                         .U32(0)
                         .U32(0)
                         .U16(0)
                         .U16(0)
                         .U16(0));
  Riff sdta;
  sdta.Id("sdta").Chunk("smpl", smpl);
  Riff body;
  body.Id("sfbk").Chunk("LIST", sdta).Chunk("LIST", pdta);
  return Riff().Chunk("RIFF", body).bytes;
}

// A tune's presets cut out of a SoundFont: the samples of those it has, to the byte of what the
// game reads, and its preset data to the byte of their bound; a font with no sample for them
// cannot play the music, which the player tells as it tells a failed sound font.
TEST(SoundFontCut, TheTunesPresetsAloneWithinTheirBounds) {
  const auto cut = [](const std::vector<unsigned char>& font, std::vector<unsigned char>& out) {
    const ReadAt read = [&font](std::uint64_t at, std::size_t n, std::vector<unsigned char>& o) {
      if (at > font.size() || n > font.size() - at) return false;
      o.assign(font.begin() + static_cast<std::ptrdiff_t>(at),
               font.begin() + static_cast<std::ptrdiff_t>(at + n));
      return true;
    };
    SoundFontChunks chunks;
    std::string problem = FindSoundFontChunks(read, font.size(), chunks);
    return problem.empty() ? CutSoundFont(read, chunks, {{0, 0}}, out) : problem;
  };
  const auto at_bound = static_cast<std::uint32_t>(kMaxCutSampleBytes / 2 - 46);
  std::vector<unsigned char> out;
  EXPECT_EQ(cut(OneSampleFont(at_bound), out), "");
  // What was cut is cut again to the same bytes: it holds nothing the tune does not play.
  std::vector<unsigned char> again;
  EXPECT_EQ(cut(out, again), "");
  EXPECT_EQ(again, out);
  EXPECT_NE(cut(OneSampleFont(at_bound + 1), out).find("more than the game gives its music"),
            std::string::npos);
  // Its sample past the end of the sample data: nothing the tune plays can sound.
  std::vector<unsigned char> past = OneSampleFont(100);
  past[past.size() - 46 - 46 + 24 + 1] = 0xFF;
  EXPECT_NE(cut(past, out).find("no samples for the instruments the tunes play"),
            std::string::npos);

  // The real font, where the music plays from a SoundFont (Windows' Timidity has its own).
  if (!IsPlainSoundFont(SoundFontFiles().front()) ||
      !std::filesystem::exists(SoundFontFiles().front())) {
    return;
  }
  const TempFolder folder;
  std::vector<unsigned char> font = ReadBytes(SoundFontFiles().front());
  ASSERT_EQ(cut(font, out), "");
  EXPECT_LT(out.size(), font.size() / 10);  // the piano of a General MIDI set
  // The same font with every sample's end moved past its data.
  SoundFontChunks chunks;
  const ReadAt read = [&font](std::uint64_t at, std::size_t n, std::vector<unsigned char>& o) {
    o.assign(font.begin() + static_cast<std::ptrdiff_t>(at),
             font.begin() + static_cast<std::ptrdiff_t>(at + n));
    return true;
  };
  ASSERT_EQ(FindSoundFontChunks(read, font.size(), chunks), "");
  const auto shdr = std::search(font.begin() + static_cast<std::ptrdiff_t>(chunks.presets_offset),
                                font.end(), std::begin("shdr"), std::end("shdr") - 1);
  ASSERT_NE(shdr, font.end());
  for (auto record = shdr + 8; record + 46 <= font.end(); record += 46)
    record[27] = 0x7F;
  const std::string broken = folder.File("broken.sf2");
  WriteBytes(broken, font);
  SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMediaPlayer player({broken});
  std::string error;
  EXPECT_EQ(player.Open(DataFile(kMusicFiles[0]), error), MediaPlayer::OpenResult::kMusicFailed);
  SDL_setenv("SDL_AUDIODRIVER", "", 1);
  EXPECT_EQ(error,
            "the MIDI sound font " + broken +
                " cannot play the music: it has no samples for the instruments the tunes play");
}

}  // namespace
}  // namespace vorlask::testing
