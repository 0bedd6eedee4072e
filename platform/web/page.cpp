#include "platform/web/page.h"

#include <SDL.h>
#include <emscripten.h>

#include "game/layout.h"

namespace vorlask::page {

namespace {

// clang-format off
EM_JS(void, JsShowError, (const char* message), {
  Module.vorlask.showError(UTF8ToString(message));
});
EM_JS(void, JsEnded, (int status), {
  Module.vorlask.ended(status);
});
EM_JS(void, JsShowState, (const char* json), {
  Module.vorlask.showState(JSON.parse(UTF8ToString(json)));
});
EM_JS(void, JsBoardShown, (), {
  Module.vorlask.boardShown();
});
EM_JS(void, JsAtRest, (), {
  Module.vorlask.atRest();
});
EM_JS(int, JsMusicFetched, (), {
  return Module.vorlask.musicFetched() ? 1 : 0;
});
EM_JS(void, JsFetchMusic, (), {
  Module.vorlask.fetchMusic().then(function (problem) {
    Module.vorlaskMusicProblem = problem;
    Module._vorlask_page_music_arrived();
  });
});
// Fills text (size bytes) with the last fetch's problem; 0 when there was none.
EM_JS(int, JsMusicProblem, (char* text, int size), {
  var problem = Module.vorlaskMusicProblem || "";
  stringToUTF8(problem, text, size);
  return problem ? 1 : 0;
});
EM_JS(void, JsMusicPlays, (int on), {
  Module.vorlask.music(on !== 0);
});

EM_ASYNC_JS(void, JsSleepUntilWoken, (), {
  await new Promise(function (resolve) { Module.vorlaskWakeLoop = resolve; });
});
// Runs inside SDL_PushEvent, before the event is queued. Resolving the promise only schedules
// the loop's resumption: it runs once the code that pushes the event has returned, and the
// event is on the queue by then.
EM_JS(void, JsWakeLoop, (), {
  var wake = Module.vorlaskWakeLoop;
  Module.vorlaskWakeLoop = null;
  if (wake) wake();
});
EM_ASYNC_JS(void, JsSleepUntilMidSecond, (), {
  var wait = (1500 - Date.now() % 1000) % 1000;
  if (wait > 0) await new Promise(function (resolve) { setTimeout(resolve, wait); });
});
EM_ASYNC_JS(void, JsSleepUntilVisible, (), {
  await new Promise(function (resolve) {
    var look = function () {
      if (document.visibilityState !== 'visible') return;
      document.removeEventListener('visibilitychange', look);
      resolve();
    };
    document.addEventListener('visibilitychange', look);
    look();
  });
});
// clang-format on

// Texts as a JSON list: the game's words hold no control characters, but quotes and
// backslashes are escaped all the same.
template <typename It>
void AppendList(std::string& json, It first, It last) {
  json += '[';
  for (It it = first; it != last; ++it) {
    if (it != first) json += ',';
    json += '"';
    for (const char c : *it) {
      if (c == '"' || c == '\\') json += '\\';
      if (static_cast<unsigned char>(c) >= 0x20) json += c;
    }
    json += '"';
  }
  json += ']';
}

}  // namespace

void ShowError(const std::string& message) {
  JsShowError(message.c_str());
}

void Ended(int status) {
  JsEnded(status);
}

void ShowState(const PageState& s, const std::vector<std::string>& news) {
  std::string json = "{\"mode\":" + std::to_string(s.mode) +
                     ",\"start\":" + std::to_string(s.start) +
                     ",\"music\":" + (s.music ? "true" : "false") +
                     ",\"animate\":" + (s.animate ? "true" : "false") +
                     ",\"active\":" + (s.active ? "true" : "false") +
                     ",\"cursor\":" + std::to_string(s.cursor) + ",\"result\":";
  AppendList(json, s.result.begin(), s.result.end());
  json += ",\"squares\":";
  AppendList(json, s.squares.begin(), s.squares.end());
  json += ",\"news\":";
  AppendList(json, news.begin(), news.end());
  JsShowState((json + "}").c_str());
}

void BoardShown() {
  JsBoardShown();
}

void AtRest() {
  JsAtRest();
}

bool MusicFetched() {
  return JsMusicFetched() != 0;
}

void FetchMusic() {
  JsFetchMusic();
}

std::string MusicProblem() {
  char problem[512] = "";
  if (JsMusicProblem(problem, sizeof problem) == 0) return {};
  return problem[0] != '\0' ? problem : "the music's files cannot be fetched";
}

Uint32 MusicArrivedEvent() {
  static const Uint32 type = SDL_RegisterEvents(1);
  return type;
}

void MusicPlays(bool on) {
  JsMusicPlays(on ? 1 : 0);
}

void SleepUntilWoken() {
  JsSleepUntilWoken();
}

void WakeLoop() {
  JsWakeLoop();
}

void SleepUntilMidSecond() {
  JsSleepUntilMidSecond();
}

void SleepUntilVisible() {
  JsSleepUntilVisible();
}

}  // namespace vorlask::page

extern "C" EMSCRIPTEN_KEEPALIVE int vorlask_page_command(int key) {
  for (const char command : vorlask::kPageCommands) {
    if (command != key) continue;
    // As SDL reports the key: a letter by its lower case, a digit of the main row, Enter.
    const bool letter = command >= 'A' && command <= 'Z';
    const bool enter = command == '\r';
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = enter    ? SDLK_RETURN
                           : letter ? SDLK_a + (command - 'A')
                                    : SDLK_1 + (command - '1');
    event.key.keysym.scancode =
        static_cast<SDL_Scancode>(enter    ? SDL_SCANCODE_RETURN
                                  : letter ? SDL_SCANCODE_A + (command - 'A')
                                           : SDL_SCANCODE_1 + (command - '1'));
    // Pushed events wake the game's wait for input as a key does; once the game has ended,
    // SDL's queue is closed and the push fails.
    return SDL_PushEvent(&event) == 1 ? 1 : 0;
  }
  return 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE void vorlask_page_music_arrived() {
  SDL_Event event;
  SDL_zero(event);
  event.type = vorlask::page::MusicArrivedEvent();
  SDL_PushEvent(&event);
}

extern "C" EMSCRIPTEN_KEEPALIVE int vorlask_page_square(int row, int col) {
  if (row < 2 || row > 9 || col < 2 || col > 9) return 0;
  SDL_Event event;
  SDL_zero(event);
  event.button.button = SDL_BUTTON_LEFT;
  event.button.x = vorlask::layout::SquareX(col) + vorlask::kTileSize / 2;
  event.button.y = vorlask::layout::SquareY(row) + vorlask::kTileSize / 2;
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.state = SDL_PRESSED;
  if (SDL_PushEvent(&event) != 1) return 0;
  event.type = SDL_MOUSEBUTTONUP;
  event.button.state = SDL_RELEASED;
  return SDL_PushEvent(&event) == 1 ? 1 : 0;
}
