#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sdl/bmp_file.h"
#include "platform/sdl/data_folders.h"
#include "platform/sdl/display_scale.h"
#include "platform/sdl/keys.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/system.h"
#include "support/temp_folder.h"

namespace vorlask {
namespace {

using testing::TempFolder;

TEST(VirtualKeys, LettersDigitsAndControlKeysGiveTheCommandCodes) {
  EXPECT_EQ(VirtualKeyCode(SDLK_t, SDL_SCANCODE_T), 84);
  EXPECT_EQ(VirtualKeyCode(SDLK_n, SDL_SCANCODE_N), 78);
  // An AZERTY keyboard: the key typing "a" sits where QWERTY has Q; its code is still A's.
  EXPECT_EQ(VirtualKeyCode(SDLK_a, SDL_SCANCODE_Q), 65);
  // A Russian layout: the key at S types a Cyrillic letter but still means S.
  EXPECT_EQ(VirtualKeyCode(0x044B, SDL_SCANCODE_S), 83);
  EXPECT_EQ(VirtualKeyCode(SDLK_1, SDL_SCANCODE_1), 49);
  EXPECT_EQ(VirtualKeyCode(SDLK_2, SDL_SCANCODE_2), 50);
  // The French digit row types "&" and "é" unshifted; the keys are still 1 and 2.
  EXPECT_EQ(VirtualKeyCode(SDLK_AMPERSAND, SDL_SCANCODE_1), 49);
  EXPECT_EQ(VirtualKeyCode(0xE9, SDL_SCANCODE_2), 50);
  EXPECT_EQ(VirtualKeyCode(SDLK_RETURN, SDL_SCANCODE_RETURN), 13);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyCode(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyCode(SDLK_LEFT, SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(VirtualKeyCode(SDLK_UP, SDL_SCANCODE_UP), 38);
  EXPECT_EQ(VirtualKeyCode(SDLK_RIGHT, SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(VirtualKeyCode(SDLK_DOWN, SDL_SCANCODE_DOWN), 40);
}

TEST(VirtualKeys, KeypadDigitsAndOtherKeysAreNotCommands) {
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_1, SDL_SCANCODE_KP_1), 97);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_2, SDL_SCANCODE_KP_2), 98);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_0, SDL_SCANCODE_KP_0), 96);
  const std::vector<std::uint16_t> commands = {13, 27, 37, 38, 39, 40, 49,  50,
                                               65, 72, 78, 80, 83, 84, 151, 152};
  for (SDL_Keycode sym : {SDLK_SPACE, SDLK_F1, SDLK_TAB, SDLK_LSHIFT, SDLK_KP_PLUS, SDLK_MENU}) {
    const std::uint16_t code = VirtualKeyCode(sym, SDL_GetScancodeFromKey(sym));
    EXPECT_EQ(std::count(commands.begin(), commands.end(), code), 0) << SDL_GetKeyName(sym);
  }
}

TEST(DisplayScale, WholeMultiplesOfNinetySixDotsPerInchThatFitTheScreen) {
  EXPECT_EQ(ChooseScale({}), 1);
  EXPECT_EQ(ChooseScale({.monitor_dpi = 96}), 1);
  EXPECT_EQ(ChooseScale({.monitor_dpi = 120}), 1);
  EXPECT_EQ(ChooseScale({.monitor_dpi = 144}), 2);
  EXPECT_EQ(ChooseScale({.monitor_dpi = 192}), 2);
  EXPECT_EQ(ChooseScale({.monitor_dpi = 288}), 3);
  // What the desktop asks for wins over the monitor's own size, which is often wrong.
  EXPECT_EQ(ChooseScale({.desktop_dpi = 192, .monitor_dpi = 96}), 2);
  EXPECT_EQ(ChooseScale({.desktop_dpi = 96, .monitor_dpi = 192}), 1);
  EXPECT_EQ(ChooseScale({.desktop_scale = 2, .desktop_dpi = 96}), 2);
  // A window that would not fit on the screen is shown smaller.
  EXPECT_EQ(ChooseScale({.monitor_dpi = 288, .usable_width = 1920, .usable_height = 1080}), 2);
  EXPECT_EQ(ChooseScale({.desktop_scale = 2, .usable_width = 1280, .usable_height = 800}), 1);
  EXPECT_EQ(ChooseScale({.monitor_dpi = 10}), 1);
  EXPECT_EQ(ChooseScale({.monitor_dpi = 100000}), 8);
}

// The loop's own events need SDL's event queue and timer thread, but no display.
class SdlEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER), 0) << SDL_GetError();
    events_ = RegisterLoopEvents();
  }
  void TearDown() override { SDL_Quit(); }

  // The next loop event of the given type within the time limit; false if none came.
  bool Next(Uint32 type, int limit_ms, SDL_Event* out = nullptr) {
    const Uint64 end = SDL_GetTicks64() + static_cast<Uint64>(limit_ms);
    SDL_Event e;
    while (SDL_GetTicks64() < end) {
      if (SDL_WaitEventTimeout(&e, 10) == 1 && e.type == type) {
        if (out != nullptr) *out = e;
        return true;
      }
    }
    return false;
  }

  LoopEvents events_;
};

TEST_F(SdlEvents, TimerFiresOnceAndIgnoresFiringsOfAnEarlierEnabling) {
  SdlTimer timer;
  timer.Enable();
  const Uint64 start = SDL_GetTicks64();
  timer.Disable();
  timer.Enable();
  timer.Enable();  // armed already: does not restart the interval
  SDL_UserEvent stale{};
  stale.type = events_.timer;
  stale.code = 1;
  EXPECT_FALSE(timer.TakeFiring(stale));

  SDL_Event fired;
  ASSERT_TRUE(Next(events_.timer, 2000, &fired));
  EXPECT_GE(SDL_GetTicks64() - start, SdlTimer::kIntervalMs - 5);
  EXPECT_TRUE(timer.TakeFiring(fired.user));
  EXPECT_FALSE(timer.TakeFiring(fired.user));
  EXPECT_FALSE(Next(events_.timer, 450));

  // A firing that was queued before Disable is ignored.
  timer.Disable();
  timer.Enable();
  ASSERT_TRUE(Next(events_.timer, 2000, &fired));
  timer.Disable();
  EXPECT_FALSE(timer.TakeFiring(fired.user));
}

// A type 0 MIDI file: one note of the given length in ticks (480 ticks a beat at 120 beats
// a minute, so 480 ticks last half a second), or no note at all for 0.
void WriteMidi(const std::string& path, int ticks) {
  std::vector<unsigned char> track;
  if (ticks > 0) {
    track = {0x00, 0x90, 60, 100};
    std::vector<unsigned char> delta;
    for (int v = ticks; v > 0; v >>= 7)
      delta.insert(delta.begin(), static_cast<unsigned char>(v & 0x7F));
    for (std::size_t i = 0; i + 1 < delta.size(); ++i)
      delta[i] |= 0x80;
    track.insert(track.end(), delta.begin(), delta.end());
    for (unsigned char b : {0x80, 60, 0})
      track.push_back(b);
  }
  for (unsigned char b : {0x00, 0xFF, 0x2F, 0x00})
    track.push_back(b);
  std::ofstream out(path, std::ios::binary);
  const unsigned char header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0};
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  const unsigned char chunk[] = {'M',
                                 'T',
                                 'r',
                                 'k',
                                 0,
                                 0,
                                 static_cast<unsigned char>(track.size() >> 8),
                                 static_cast<unsigned char>(track.size())};
  out.write(reinterpret_cast<const char*>(chunk), sizeof chunk);
  out.write(reinterpret_cast<const char*>(track.data()),
            static_cast<std::streamsize>(track.size()));
}

constexpr auto kOpened = MediaPlayer::OpenResult::kOpened;
constexpr auto kFileFailed = MediaPlayer::OpenResult::kFileFailed;
constexpr auto kMusicFailed = MediaPlayer::OpenResult::kMusicFailed;

// A folder of the test's own with a tune without notes and one that plays for half a minute.
struct Tunes {
  Tunes() {
    WriteMidi(short_tune, 0);
    WriteMidi(long_tune, 480 * 60);
  }
  const TempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  const std::string short_tune = (dir / "vorlask_short.mid").string();
  const std::string long_tune = (dir / "vorlask_long.mid").string();
};

TEST_F(SdlEvents, EveryStartedPlayEndsWithExactlyOneNotification) {
  if (!std::filesystem::exists(SoundFontFiles().front())) GTEST_SKIP() << "no sound font";
  const Tunes tunes;
  const std::filesystem::path& dir = tunes.dir;
  const std::string& short_tune = tunes.short_tune;
  const std::string& long_tune = tunes.long_tune;

  SdlMediaPlayer player({SoundFontFiles().front()});
  std::string error;
  ASSERT_EQ(player.Open(short_tune, error), kOpened) << error;
  player.Play();
  SDL_Event end;
  ASSERT_TRUE(Next(events_.music_end, 5000, &end)) << "a play that runs out is reported";
  EXPECT_FALSE(Next(events_.music_end, 300)) << "and only once";
  player.TakeNotice(end.user);
#ifdef _WIN32
  // Timidity, which plays on Windows, ends a tune without notes at once.
  EXPECT_EQ(player.TakeEndOfPlay(), MediaPlayer::PlayEnd::kRanOutAtOnce);
#else
  // FluidSynth plays out two seconds of silence after the end of a tune.
  EXPECT_EQ(player.TakeEndOfPlay(), MediaPlayer::PlayEnd::kRanOut);
#endif

  // Cut short while the synthesizer still loads it, and once it plays.
  for (const int wait_ms : {0, 1500}) {
    ASSERT_EQ(player.Open(long_tune, error), kOpened) << error;
    player.Play();
    SDL_Delay(wait_ms);
    player.Close();
    player.Close();
    ASSERT_TRUE(Next(events_.music_end, 1000, &end)) << "a play cut short by Close is reported";
    EXPECT_FALSE(Next(events_.music_end, 300));
    player.TakeNotice(end.user);
    EXPECT_EQ(player.TakeEndOfPlay(), MediaPlayer::PlayEnd::kCut);
  }

  ASSERT_EQ(player.Open(long_tune, error), kOpened) << error;
  player.Play();
  ASSERT_EQ(player.Open(short_tune, error), kOpened) << error;
  EXPECT_TRUE(Next(events_.music_end, 1000)) << "a play replaced by another Open is reported";
  EXPECT_FALSE(Next(events_.music_end, 300));
  player.Close();
  EXPECT_FALSE(Next(events_.music_end, 300)) << "an opened file that never played owes nothing";

  EXPECT_EQ(player.Open((dir / "no_such_tune.mid").string(), error), kFileFailed);
  EXPECT_NE(error.find("no_such_tune.mid is missing"), std::string::npos) << error;

  // The device goes away during a play: the play says so, naming the device, and the next
  // Open opens one afresh.
  ASSERT_EQ(player.Open(long_tune, error), kOpened) << error;
  player.Play();
  player.DeviceLost();
  ASSERT_TRUE(Next(events_.music_end, 1000, &end));
  player.TakeNotice(end.user);
  EXPECT_EQ(player.TakeEndOfPlay(), MediaPlayer::PlayEnd::kMusicFailed);
  EXPECT_NE(player.MusicFailure().find("(driver \"dummy\") stopped working"), std::string::npos)
      << player.MusicFailure();
  EXPECT_EQ(player.Open(long_tune, error), kOpened) << error;
}

#ifndef _WIN32
// A sound font whose outline is sound but which the synthesizer cannot load: the play ends as
// soon as the synthesizer says so, naming the font, not the tune. (Timidity, which plays on
// Windows, reads no sound font.)
TEST_F(SdlEvents, APlayOnAFontTheSynthesizerCannotLoadEndsNamingTheFont) {
  if (!std::filesystem::exists(SoundFontFiles().front())) GTEST_SKIP() << "no sound font";
  const Tunes tunes;
  const std::string& short_tune = tunes.short_tune;
  std::string error;
  SDL_Event end;
  // A compressed SoundFont goes to the synthesizer whole, and only it finds this one hollow.
  const std::string font = (tunes.dir / "hollow.sf3").string();
  std::ofstream(font, std::ios::binary)
      << std::string("RIFF\x6C\0\0\0sfbkLIST\x60\0\0\0INFO", 24) << std::string(92, '\xAB');
  SdlMediaPlayer hollow({font});
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(hollow.Open(short_tune, error), kOpened) << error;
  hollow.Play();
  const bool ended = Next(events_.music_end, 5000, &end);
  const std::string said = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(ended);
#ifndef _WIN32
  // What the synthesizer and the libraries it reads fonts with say goes through the game's
  // thinned log, a few lines, each its own.
  std::istringstream lines(said);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count)
    EXPECT_EQ(line.rfind("vorlask: ", 0), 0u) << line;
  EXPECT_GE(count, 1);
  EXPECT_LE(count, 4) << said;
#endif
  hollow.TakeNotice(end.user);
  EXPECT_EQ(hollow.TakeEndOfPlay(), MediaPlayer::PlayEnd::kMusicFailed);
  EXPECT_EQ(hollow.MusicFailure(), "the synthesizer cannot load the MIDI sound font " + font);
}
#endif

// The first sound font that is a file is the one used; when it fails, or none is there, the
// music fails as a whole, naming the font, before the synthesizer sees it. (The end-to-end test
// of damaged data plays the other ways a font or the audio device fails.)
TEST(SdlMediaPlayerSetUp, TheFirstSoundFontThatIsAFileIsUsedOrNamed) {
  const TempFolder temp;
  const std::string tune = temp.File("tune.mid");
  WriteMidi(tune, 96);
  const std::string absent = temp.File("absent.sf2");
  const std::string junk = temp.File("junk.sf2");
  std::ofstream(junk) << "this is not a sound font at all";
  std::filesystem::create_directory(temp.File("folder.sf2"));
  // Timidity's configuration, read as the audio opens on the window's thread, is bounded.
  const std::string huge = temp.File("huge.cfg");
  std::ofstream(huge).close();
  std::filesystem::resize_file(huge, (1u << 20) + 1);
  for (const auto& [fonts, reason] : {
           std::pair{std::vector<std::string>{absent}, absent + " is missing"},
           {{absent, temp.File("folder.sf2"), junk}, junk + " is damaged: it is not a SoundFont"},
           {{huge},
            huge + " is damaged: it is 1048577 bytes long, where the game reads at most "
                   "1048576"},
       }) {
    SdlMediaPlayer player(fonts);
    std::string error;
    EXPECT_EQ(player.Open(tune, error), kMusicFailed);
    EXPECT_NE(error.find("the MIDI sound font " + reason), std::string::npos) << error;
  }
#ifdef _WIN32
  // Timidity reads its configuration as the audio opens: one it refuses fails the music there,
  // naming the configuration, not each tune in turn.
  SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::string refused = temp.File("refused.cfg");
  std::ofstream(refused) << "this is not how Timidity names its instruments\n";
  SdlMediaPlayer player({refused});
  std::string error;
  EXPECT_EQ(player.Open(tune, error), kMusicFailed);
  EXPECT_EQ(error, "the synthesizer cannot load the MIDI sound font " + refused);
#endif
}

// A damaged tune is refused when it is opened, with the file and the reason, instead of
// "playing" as a tune that ends at once. The checks come before the sound device is touched.
TEST(SdlMediaPlayerSetUp, DamagedTunesAreRefusedWithTheirReason) {
  SdlMediaPlayer player({"/nonexistent/sound.sf2"});
  const TempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  const std::string tune = (dir / "vorlask_damaged.mid").string();
  const std::string good = std::string(VORLASK_SOURCE_DATA_DIR) + "/entrtanr.mid";
  std::ifstream in(good, std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(whole.size(), 100u);
  const std::pair<const char*, std::string> cases[] = {
      {"is damaged: it is empty", ""},
      {"is damaged: it is not a MIDI file", "RIFF this is not a tune at all"},
      {"runs past its end", whole.substr(0, whole.size() / 2)},
      {"holds no track", whole.substr(0, 14)},
  };
  for (const auto& [reason, bytes] : cases) {
    std::ofstream(tune, std::ios::binary | std::ios::trunc) << bytes;
    std::string error;
    EXPECT_EQ(player.Open(tune, error), kFileFailed) << reason;
    EXPECT_NE(error.find(tune), std::string::npos) << error;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
  }
  std::remove(tune.c_str());
  const std::string folder = (dir / "vorlask_folder.mid").string();
  std::filesystem::create_directory(folder);
  std::string error;
  EXPECT_EQ(player.Open(folder, error), kFileFailed);
  EXPECT_NE(error.find("is not a file: it is a folder"), std::string::npos) << error;
  std::filesystem::remove(folder);
  // A sound tune passes the checks and fails only for the missing sound font.
  EXPECT_EQ(player.Open(good, error), kMusicFailed);
  EXPECT_NE(error.find("/nonexistent/sound.sf2"), std::string::npos) << error;
}

class NoText : public TextRenderer {
 public:
  Image Render(const std::string&, const Font&, Color) override { return {}; }
};

TEST(SdlPlatformServices, ClockRandomNumbersAndDataFolders) {
  NoText text;
  SdlPlatform platform(text);
  for (int i = 0; i < 1000; ++i) {
    const double u = platform.RandomUniform();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
  const int second = platform.ClockSecond();
  EXPECT_GE(second, 0);
  EXPECT_LE(second, 59);

  // The current directory first, then the program's own folder, then where it is installed.
  char* base = SDL_GetBasePath();
  ASSERT_NE(base, nullptr);
  std::string exe_dir(base);
  SDL_free(base);
  exe_dir.pop_back();
  std::vector<std::string> expected = {std::filesystem::current_path().string()};
  if (exe_dir != expected[0]) expected.push_back(exe_dir);
  // Then where the platform installs its data: on Linux the installed data folder, and that
  // folder as seen from the program's folder, for a package unpacked into some other root.
  // Windows keeps the data beside the program.
  for (const std::filesystem::path& folder : InstalledDataFolders(exe_dir))
    expected.push_back(folder.lexically_normal().string());
  EXPECT_EQ(VorlaskDataFolders(), expected);
}

}  // namespace
}  // namespace vorlask
