#include "ui/web/web_platform.h"

#include <emscripten.h>

#include <array>
#include <cstdio>

#include "game/codes.h"
#include "game/state.h"

namespace vorlask {

namespace {

// The page's own handlers (ui/web/shell.html).
// clang-format off
EM_JS(void, PageShowError, (const char* message), {
  if (Module.vorlaskShowError) Module.vorlaskShowError(UTF8ToString(message));
});
EM_JS(void, PageEnded, (int status), {
  if (Module.vorlaskEnded) Module.vorlaskEnded(status);
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

}  // namespace

void ShowPageError(const std::string& message) {
  std::fprintf(stderr, "vorlask: %s\n", message.c_str());
  PageShowError(message.c_str());
}

void ShowPageEnded(int status) {
  PageEnded(status);
}

void WebPlatform::Present() {
  SdlPlatform::Present();
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
