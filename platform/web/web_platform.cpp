#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <array>
#include <cstdio>

#include "game/codes.h"
#include "ui/form.h"

namespace vorlask {

namespace {

// The page's own handlers (ui/web/shell.html, ui/web/loading.js).
// clang-format off
EM_JS(void, PageShowError, (const char* message), {
  if (Module.vorlaskShowError) Module.vorlaskShowError(UTF8ToString(message));
});
EM_JS(void, PageEnded, (int status), {
  if (Module.vorlaskEnded) Module.vorlaskEnded(status);
});
EM_JS(void, PageBoardShown, (), {
  if (Module.vorlaskBoardShown) Module.vorlaskBoardShown();
});
EM_JS(void, PageAtRest, (), {
  if (Module.vorlaskAtRest) Module.vorlaskAtRest();
});

// The loop sleeps here, the browser running freely, until WakeLoop resumes it.
EM_ASYNC_JS(void, SleepUntilWoken, (), {
  await new Promise(function (resolve) { Module.vorlaskWakeLoop = resolve; });
});
// Runs inside SDL_PushEvent, before the event is queued. Resolving the promise only schedules
// the loop's resumption: it runs once the code that pushes the event has returned, and the
// event is on the queue by then.
EM_JS(void, WakeLoop, (), {
  var wake = Module.vorlaskWakeLoop;
  Module.vorlaskWakeLoop = null;
  if (wake) wake();
});

// Until the middle of the clock's second. The speed measurement counts from its first look at
// the clock until the second after next begins, and then for two whole seconds: three to four
// seconds, by where in its second it starts. Started in the middle, it always counts for three
// and a half, and every start of the page gives the same pace.
EM_ASYNC_JS(void, SleepUntilMidSecond, (), {
  var wait = (1500 - Date.now() % 1000) % 1000;
  if (wait > 0) await new Promise(function (resolve) { setTimeout(resolve, wait); });
});

EM_ASYNC_JS(void, SleepUntilVisible, (), {
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

EM_JS(int, MusicFetched, (), {
  return Module.vorlaskMusicFetched && Module.vorlaskMusicFetched() ? 1 : 0;
});
// Fills error (size bytes) and returns 0 when the music's files cannot be fetched.
EM_ASYNC_JS(int, FetchMusic, (char* error, int size), {
  var problem = await Module.vorlaskFetchMusic();
  if (!problem) return 1;
  stringToUTF8(problem, error, size);
  return 0;
});
EM_JS(void, PageShowState, (int mode, int start, int music, int animate, int active,
                            const char* line1, const char* line2, const char* line3), {
  if (Module.vorlaskState) {
    Module.vorlaskState({
      mode: mode, start: start, music: !!music, animate: !!animate, active: !!active,
      lines: [UTF8ToString(line1), UTF8ToString(line2), UTF8ToString(line3)],
    });
  }
});
// clang-format on

// The keys the page's controls stand for, as SDL would report them.
struct CommandKey {
  std::uint16_t code;
  SDL_Keycode sym;
  SDL_Scancode scancode;
};
constexpr std::array<CommandKey, 8> kCommandKeys = {{
    {vk::kT, SDLK_t, SDL_SCANCODE_T},
    {vk::kH, SDLK_h, SDL_SCANCODE_H},
    {vk::kP, SDLK_p, SDL_SCANCODE_P},
    {vk::k1, SDLK_1, SDL_SCANCODE_1},
    {vk::k2, SDLK_2, SDL_SCANCODE_2},
    {vk::kS, SDLK_s, SDL_SCANCODE_S},
    {vk::kA, SDLK_a, SDL_SCANCODE_A},
    {vk::kN, SDLK_n, SDL_SCANCODE_N},
}};

PageState ReadPageState(const TForm3& form) {
  PageState state;
  state.mode = form.ModeOption;
  state.start = form.StartOption;
  state.music = form.MusicOn != 0;
  state.animate = form.AnimateMoves != 0;
  state.active = form.GameActive != 0;
  // The result lines mean something only once a game has ended; until then they keep the
  // last game's words.
  if (!state.active) {
    state.line1 = form.MessageLine1;
    state.line2 = form.MessageLine2;
    state.line3 = form.MessageLine3;
  }
  return state;
}

int WakeOnEvent(void*, SDL_Event*) {
  WakeLoop();
  return 0;
}

}  // namespace

void ShowPageError(const std::string& message) {
  std::fprintf(stderr, "vorlask: %s\n", message.c_str());
  PageShowError(message.c_str());
}

void ShowPageEnded(int status) {
  PageEnded(status);
}

void WaitUntilPageVisible() {
  SleepUntilVisible();
}

MediaPlayer::OpenResult PageMediaPlayer::Open(const std::string& file, std::string& error) {
  if (MusicFetched() == 0) {
    // What the handler has drawn so far (the music's mark on the panel) shows while the files
    // come, which on a slow line takes seconds.
    window_.Present();
    char problem[512] = "";
    if (FetchMusic(problem, sizeof problem) == 0) {
      player_.Close();
      // Without the piano no tune can play: the game goes on without music until it is
      // switched on again, which fetches once more.
      error = "cannot fetch " + file + " and its piano: " + problem;
      return OpenResult::kMusicFailed;
    }
  }
  return player_.Open(file, error);
}

WebPlatform::WebPlatform(TextRenderer& text)
    : SdlPlatform(text), music_(SdlPlatform::GetMediaPlayer(), *this) {
  // A poll of SDL's queue ends at a marker that the poll itself queues, and then reports no
  // event even when input that came meanwhile waits behind the marker. The loop would sleep
  // on that input; without the marker a poll reports an empty queue only when it is empty.
  SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
  SDL_AddEventWatch(&WakeOnEvent, nullptr);
}

WebPlatform::~WebPlatform() {
  SDL_DelEventWatch(&WakeOnEvent, nullptr);
}

bool WebPlatform::WaitEvent(SDL_Event& event) {
  // SDL's own wait looks at its queue every millisecond. Here the loop sleeps until an event
  // is pushed: a key, a click, the timer or the end of a tune.
  waited_ = true;
  while (SDL_PollEvent(&event) == 0) {
    // The first rest after the first board: the speed measurement is over, and whatever the
    // page has left to do can no longer slow it down.
    if (board_shown_ && !rested_) {
      rested_ = true;
      PageAtRest();
    }
    SleepUntilWoken();
  }
  return true;
}

void WebPlatform::Present() {
  SdlPlatform::Present();
  // The loop has started, so this picture is on the canvas: the page drops its loading notice.
  // It is the first paint's, and the speed measurement follows it.
  if (waited_ && !board_shown_) {
    board_shown_ = true;
    PageBoardShown();
    SleepUntilMidSecond();
  }
  // The browser shows the canvas only once the program hands control back to it; the move
  // animation and the speed measurement draw frame after frame without returning, so each
  // frame is followed by a turn for the browser. The program carries on where it was.
  emscripten_sleep(0);
}

void WebPlatform::ShowError(const std::string& message) {
  // A page cannot hold the game in a modal box; the message stays in the page instead, and
  // the game carries on as it would once the box was closed.
  ShowPageError(message);
}

void WebPlatform::TellPage(const TForm3& form) {
  PageState state = ReadPageState(form);
  if (told_ && *told_ == state) return;
  PageShowState(state.mode, state.start, state.music, state.animate, state.active,
                state.line1.c_str(), state.line2.c_str(), state.line3.c_str());
  told_ = std::move(state);
}

}  // namespace vorlask

extern "C" EMSCRIPTEN_KEEPALIVE int vorlask_page_command(int key) {
  for (const vorlask::CommandKey& command : vorlask::kCommandKeys) {
    if (command.code != key) continue;
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = command.sym;
    event.key.keysym.scancode = command.scancode;
    // Pushed events wake the game's wait for input as a key does; once the game has ended,
    // SDL's queue is closed and the push fails.
    return SDL_PushEvent(&event) == 1 ? 1 : 0;
  }
  return 0;
}
