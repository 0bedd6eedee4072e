#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <cstdio>

#include "ui/form.h"
#include "ui/spoken.h"

namespace vorlask {

namespace {

PageState ReadPageState(const TForm3& form) {
  PageState state;
  state.mode = form.ModeOption;
  state.start = form.StartOption;
  state.music = form.MusicOn != 0;
  state.animate = form.AnimateMoves != 0;
  state.active = form.GameActive != 0;
  // The result lines mean something only once a game has ended; until then they keep the
  // last game's words.
  if (!state.active)
    state.result = ResultWords({form.MessageLine1, form.MessageLine2, form.MessageLine3});
  for (int row = 2; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col)
      state.squares[static_cast<std::size_t>((row - 2) * 8 + col - 2)] =
          SquareWords(form.Board, row, col);
  }
  state.cursor = (form.CursorRow - 2) * 8 + form.CursorCol - 2;
  return state;
}

int WakeOnEvent(void*, SDL_Event*) {
  page::WakeLoop();
  return 0;
}

}  // namespace

void ShowPageError(const std::string& message) {
  std::fprintf(stderr, "vorlask: %s\n", message.c_str());
  page::ShowError(message);
}

MediaPlayer::OpenResult PageMediaPlayer::Open(const std::string& file, std::string& error) {
  if (!page::MusicFetched()) {
    // What the handler has drawn so far (the music's mark on the panel) shows while the files
    // come, which on a slow line takes seconds.
    window_.Present();
    if (const std::string problem = page::FetchMusic(); !problem.empty()) {
      player_.Close();
      // Without the piano no tune can play: the game goes on without music until it is
      // switched on again, which fetches once more.
      error = "cannot fetch " + file + " and its piano: " + problem;
      return OpenResult::kMusicFailed;
    }
  }
  return player_.Open(file, error);
}

WebPlatform::WebPlatform(TextRenderer& text, BitmapSet bitmaps)
    : SdlPlatform(text, std::move(bitmaps)), music_(SdlPlatform::GetMediaPlayer(), *this) {
  // A poll of SDL's queue ends at a marker that the poll itself queues, and then reports no
  // event even when input that came meanwhile waits behind the marker. The loop would sleep
  // on that input; without the marker a poll reports an empty queue only when it is empty.
  SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
  SDL_AddEventWatch(&WakeOnEvent, nullptr);
}

WebPlatform::~WebPlatform() {
  SDL_DelEventWatch(&WakeOnEvent, nullptr);
}

int WebPlatform::Run(TForm3& form) {
  // The page's own controls show the options from the start, while the first paint and the
  // speed measurement still run.
  TellPage(form);
  // A canvas never reports that it needs painting, as a new window does: the first paint is
  // asked for here. It measures the game's speed, so it waits until the page can be seen: a
  // page behind another tab runs slowed down by the browser, and the slides would come out
  // short for the rest of the game.
  page::SleepUntilVisible();
  SDL_Event expose;
  SDL_zero(expose);
  expose.type = SDL_WINDOWEVENT;
  expose.window.event = SDL_WINDOWEVENT_EXPOSED;
  SDL_PushEvent(&expose);
  return SdlPlatform::Run(form);
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
      page::AtRest();
    }
    page::SleepUntilWoken();
  }
  return true;
}

void WebPlatform::Present() {
  SdlPlatform::Present();
  // The loop has started, so this picture is on the canvas: the page drops its loading notice.
  // It is the first paint's, and the speed measurement follows it. The measurement counts from
  // its first look at the clock until the second after next begins, and then for two whole
  // seconds: three to four seconds, by where in its second it starts. Started in the middle,
  // it always counts for three and a half, and every start of the page gives the same pace.
  if (waited_ && !board_shown_) {
    board_shown_ = true;
    page::BoardShown();
    page::SleepUntilMidSecond();
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
  const Scene scene = SceneOf(form);
  const std::vector<std::string> news =
      told_scene_ ? Changes(*told_scene_, scene) : std::vector<std::string>{};
  told_scene_ = scene;
  if (told_ && *told_ == state && news.empty()) return;
  page::ShowState(state, news);
  told_ = std::move(state);
}

}  // namespace vorlask
