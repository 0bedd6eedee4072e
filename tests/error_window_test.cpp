// The game's own error window: how a message is wrapped to fit, and how the window reacts to
// the person through SDL's real event queue (with SDL's display-less video driver).

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "checks/error_box.h"
#include "gfx/builtin_font.h"
#include "platform/sdl/error_window.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/system.h"
#include "platform/sdl/ttf_text.h"

namespace vorlask {
namespace {

const std::string kEllipsis = "\xE2\x80\xA6";

// Eight pixels a character, however many bytes it takes.
int FixedWidth(const std::string& s) {
  int n = 0;
  for (char c : s)
    n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return 8 * n;
}

TEST(ErrorBoxWrap, LinesFitAndKeepEveryCharacterInOrder) {
  const std::string path =
      "/home/someone/games/a-folder-with-a-rather-long-name/vorlask-1.0/share/vorlask/h12.bmp";
  const std::string cyrillic = "Файл повреждён: " + std::string(60, 'x') + " Конец игры";
  struct Case {
    const char* what;
    std::string message;
    int max_width;
  };
  const std::vector<Case> cases = {
      {"words", "Vorlask cannot play its music: the music file is damaged: it is not a MIDI file",
       160},
      {"a path without spaces", path, 160},
      {"a path between words", "the data file (" + path + ") is missing.", 200},
      {"Cyrillic, never split inside a character", cyrillic, 96},
      {"one character a line", "abc/def", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto lines = WrapText(c.message, c.max_width, FixedWidth, 100);
    ASSERT_GT(lines.size(), 1u);
    for (const std::string& line : lines) {
      EXPECT_LE(FixedWidth(line), std::max(c.max_width, 8)) << line;
      EXPECT_FALSE(line.empty());
      // A character cut in two would show as a replacement mark.
      EXPECT_NE((static_cast<unsigned char>(line.back()) & 0xC0), 0xC0u) << line;
    }
    std::string rejoined;
    for (const std::string& line : lines)
      rejoined += line;
    std::string expected;
    for (char ch : c.message)
      if (ch != ' ') expected += ch;
    std::string got;
    for (char ch : rejoined)
      if (ch != ' ') got += ch;
    EXPECT_EQ(got, expected);
  }
}

TEST(ErrorBoxWrap, PathsBreakAfterASlashAndParagraphsKeepTheirIndent) {
  const std::string message =
      "Folders searched:\n  /usr/local/share/vorlask\n  /opt/games/vorlask/share/vorlask";
  const auto lines = WrapText(message, 8 * 22, FixedWidth, 100);
  const std::vector<std::string> expected = {"Folders searched:", "  /usr/local/share/",
                                             "  vorlask", "  /opt/games/vorlask/",
                                             "  share/vorlask"};
  EXPECT_EQ(lines, expected);
  // An empty line between paragraphs stays.
  EXPECT_EQ(WrapText("one\n\ntwo", 100, FixedWidth, 10),
            (std::vector<std::string>{"one", "", "two"}));
  // Tabs and other control characters cannot break the picture of the text.
  EXPECT_EQ(WrapText("a\tb\x01"
                     "c\r",
                     100, FixedWidth, 10),
            (std::vector<std::string>{"a b?c"}));
}

TEST(ErrorBoxWrap, AnEndlessMessageIsCutShortQuicklyWithAnEllipsis) {
  const auto start = std::chrono::steady_clock::now();
  const std::string huge(1 << 20, 'x');
  std::string broken = huge;
  broken[100] = '\n';
  for (const std::string& message : {huge, broken}) {
    const auto lines = WrapText(message, 440, FixedWidth, 20);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_TRUE(lines.back().ends_with(kEllipsis));
    for (const std::string& line : lines)
      EXPECT_LE(FixedWidth(line), 440);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// The real font, and the one built into the program for when that failed: what the game really
// reports fits the window, which fits on the screen the game's window fits on.
TEST(ErrorBoxLayout, RealMessagesInTheGamesFontFitTheirWindow) {
  TtfTextRenderer ttf(FontFile());
  std::string error;
  ASSERT_TRUE(ttf.Ready(error)) << error;
  BuiltinTextRenderer builtin;
  const Font font;
  // A character the built-in font lacks shows as '?', however long it is in UTF-8.
  EXPECT_EQ(builtin.Render("a\u00e9\u0416b", font, kWhite).pixels,
            builtin.Render("a??b", font, kWhite).pixels);
  EXPECT_NE(builtin.Render("ab", font, kWhite).pixels, builtin.Render("a?", font, kWhite).pixels);
  for (TextRenderer* renderer :
       {static_cast<TextRenderer*>(&ttf), static_cast<TextRenderer*>(&builtin)}) {
    TextRenderer& text = *renderer;
    auto width_of = [&](const std::string& s) { return text.Render(s, font, kWhite).width; };
    const int line_height = text.Render("Ag", font, kWhite).height;
    using L = ErrorBoxLayout;
    const std::string folder = "/home/someone/a very long folder name indeed/games/vorlask/share";
    for (const std::string& message :
         {std::string("OK"),
          "Vorlask cannot start: the data file \"h12.bmp\" (" + folder +
              "/h12.bmp) is missing.\nFolders searched:\n  " + folder + "\n  /usr/share/vorlask",
          std::string(1000, 'W')}) {
      SCOPED_TRACE(message.substr(0, 40));
      const L layout = LayOutErrorBox(message, width_of, line_height);
      EXPECT_LE(layout.width, kClientWidth);
      EXPECT_LE(layout.height, kClientHeight);
      EXPECT_GE(layout.width, L::kMinWidth);
      for (const std::string& line : layout.lines)
        EXPECT_LE(width_of(line), L::kMaxTextWidth) << line;
      const int text_bottom = layout.text_y + static_cast<int>(layout.lines.size()) * line_height;
      EXPECT_GE(layout.button_y, text_bottom);
      EXPECT_LE(layout.button_x + L::kButtonWidth, layout.width);
      EXPECT_LE(layout.button_y + L::kButtonHeight, layout.height);
      EXPECT_TRUE(layout.OnButton(layout.button_x, layout.button_y));
      EXPECT_FALSE(layout.OnButton(layout.button_x + L::kButtonWidth, layout.button_y));
    }
  }
}

// SDL's dummy video driver makes real windows with real surfaces and event queue, shown
// nowhere.
class ErrorWindowEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    std::string error;
    ASSERT_TRUE(text_.Ready(error)) << error;
    marker_ = SDL_RegisterEvents(1);
  }
  void TearDown() override {
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    SDL_Quit();
  }

  static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
  static SDL_Event Key(Uint32 window, SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    return e;
  }
  static SDL_Event Button(Uint32 type, Uint32 window, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = window;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
  }
  SDL_Event Marker(Sint32 code) const {
    SDL_Event e{};
    e.type = marker_;
    e.user.code = code;
    return e;
  }
  void FlushQueue() { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }
  // The events left in the queue, but the windows' own.
  static std::vector<SDL_Event> Left() {
    std::vector<SDL_Event> left;
    SDL_Event e;
    while (SDL_WaitEventTimeout(&e, 50) == 1) {
      if (e.type != SDL_WINDOWEVENT) left.push_back(e);
    }
    return left;
  }

  TtfTextRenderer text_{FontFile()};
  Uint32 marker_ = 0;
};

TEST_F(ErrorWindowEvents, EnterEscCloseButtonAndAClickOnOkCloseIt) {
  ErrorWindow window("Vorlask cannot play its music: the music file is missing", text_);
  std::string error;
  ASSERT_TRUE(window.Open(2, nullptr, error)) << error;
  const Uint32 id = window.Id();
  const ErrorBoxLayout& l = window.Layout();
  // The middle of OK and a point beside it, in device pixels of the doubled window.
  const int ok_x = 2 * (l.button_x + ErrorBoxLayout::kButtonWidth / 2);
  const int ok_y = 2 * (l.button_y + ErrorBoxLayout::kButtonHeight / 2);
  const int off_x = 2 * (l.button_x - 2);

  for (SDL_Keycode key : {SDLK_RETURN, SDLK_KP_ENTER, SDLK_ESCAPE})
    EXPECT_TRUE(window.Closes(Key(id, key))) << SDL_GetKeyName(key);
  // The error window is modal: Enter typed into the game's window answers it too.
  EXPECT_TRUE(window.Closes(Key(id + 1, SDLK_RETURN)));
  for (SDL_Keycode key : {SDLK_SPACE, SDLK_a, SDLK_LEFT, SDLK_s})
    EXPECT_FALSE(window.Closes(Key(id, key))) << SDL_GetKeyName(key);

  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = id;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  EXPECT_TRUE(window.Closes(close));
  close.window.windowID = id + 1;  // the game's window closing is not an answer
  EXPECT_FALSE(window.Closes(close));

  struct Click {
    const char* what;
    int down_x, up_x;
    Uint8 button;
    bool closes;
  };
  for (const Click& c :
       {Click{"on OK", ok_x, ok_x, SDL_BUTTON_LEFT, true},
        Click{"beside OK", off_x, off_x, SDL_BUTTON_LEFT, false},
        Click{"pressed beside, released on OK", off_x, ok_x, SDL_BUTTON_LEFT, false},
        Click{"pressed on OK, released beside", ok_x, off_x, SDL_BUTTON_LEFT, false},
        Click{"right button on OK", ok_x, ok_x, SDL_BUTTON_RIGHT, false}}) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(window.Closes(Button(SDL_MOUSEBUTTONDOWN, id, c.button, c.down_x, ok_y)));
    EXPECT_EQ(window.Closes(Button(SDL_MOUSEBUTTONUP, id, c.button, c.up_x, ok_y)), c.closes);
  }
}

TEST_F(ErrorWindowEvents, WaitPassesOtherEventsOnInOrderUntilAnswered) {
  ErrorWindow window("A message", text_);
  std::string error;
  ASSERT_TRUE(window.Open(1, nullptr, error)) << error;
  FlushQueue();
  const Uint32 id = window.Id();
  Push(Marker(1));
  Push(Key(id, SDLK_a));
  Push(Button(SDL_MOUSEBUTTONUP, id, SDL_BUTTON_LEFT, 1, 1));  // the window's own: not passed on
  Push(Marker(2));
  Push(Key(id, SDLK_ESCAPE));
  Push(Marker(3));
  std::vector<std::string> passed;
  window.Wait([&](const SDL_Event& e) {
    passed.push_back(e.type == marker_ ? "marker " + std::to_string(e.user.code)
                                       : std::string(SDL_GetKeyName(e.key.keysym.sym)));
  });
  EXPECT_EQ(passed, (std::vector<std::string>{"marker 1", "A", "marker 2"}));
  // What came after the answer stays for the game's loop.
  const std::vector<SDL_Event> left = Left();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].type, marker_);
  EXPECT_EQ(left[0].user.code, 3);
}

TEST_F(ErrorWindowEvents, ARequestToEndTheProgramClosesItAndIsKeptForTheGame) {
  ErrorWindow window("A message", text_);
  std::string error;
  ASSERT_TRUE(window.Open(1, nullptr, error)) << error;
  FlushQueue();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  window.Wait({});
  const std::vector<SDL_Event> left = Left();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].type, static_cast<Uint32>(SDL_QUIT));
}

TEST_F(ErrorWindowEvents, ADenseScreenShowsEachPixelAsASquare) {
  ErrorWindow window("Vorlask cannot start: the data file \"h9.bmp\" is missing.", text_);
  std::string error;
  ASSERT_TRUE(window.Open(3, nullptr, error)) << error;
  SDL_Window* sdl = SDL_GetWindowFromID(window.Id());
  ASSERT_NE(sdl, nullptr);
  const Image& picture = window.Picture();
  int w = 0, h = 0;
  SDL_GetWindowSize(sdl, &w, &h);
  EXPECT_EQ(w, 3 * picture.width);
  EXPECT_EQ(h, 3 * picture.height);
  SDL_Surface* shown =
      SDL_ConvertSurfaceFormat(SDL_GetWindowSurface(sdl), SDL_PIXELFORMAT_ARGB8888, 0);
  ASSERT_NE(shown, nullptr);
  ASSERT_EQ(shown->w, w);
  int wrong = 0;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(
        static_cast<const Uint8*>(shown->pixels) + static_cast<std::ptrdiff_t>(y) * shown->pitch);
    for (int x = 0; x < w; ++x)
      wrong += (row[x] | 0xFF000000u) != (picture.At(x / 3, y / 3) | 0xFF000000u);
  }
  SDL_FreeSurface(shown);
  EXPECT_EQ(wrong, 0);
}

// While the error window is open over the game, what the person does in the game's window is
// dropped, but the timer's and the music's events wait for the game: losing one would stop
// the computer wolf's opening move or the music for good.
TEST_F(ErrorWindowEvents, TheGameKeepsItsTimerAndMusicEventsButNotItsInput) {
  SdlPlatform platform(text_);
  std::string error;
  ASSERT_TRUE(platform.OpenWindow(error)) << error;
  const LoopEvents loop = RegisterLoopEvents();
  FlushQueue();
  SDL_Event timer{};
  timer.type = loop.timer;
  SDL_Event music{};
  music.type = loop.music_end;
  Push(timer);
  Push(Key(0, SDLK_n));
  Push(Button(SDL_MOUSEBUTTONUP, 0, SDL_BUTTON_RIGHT, 5, 5));
  Push(music);
  Push(Key(0, SDLK_RETURN));
  platform.ShowError("Vorlask cannot play its music: the music file x.mid is missing");
  std::vector<Uint32> left;
  for (const SDL_Event& e : Left())
    left.push_back(e.type);
  EXPECT_EQ(left, (std::vector<Uint32>{loop.timer, loop.music_end}));
}

}  // namespace
}  // namespace vorlask
