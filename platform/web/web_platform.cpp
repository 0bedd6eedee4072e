#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <cstdio>

#include "platform/sdl/play_notices.h"
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
  failure_.clear();
  CutWaiting();
  waiting_.reset();
  if (page::MusicFetched()) return player_.Open(file, error);
  player_.Close();
  waiting_ = file;
  if (!fetching_) {
    fetching_ = true;
    page::FetchMusic();
  }
  return OpenResult::kOpened;
}

void PageMediaPlayer::Play() {
  page::MusicPlays(true);
  if (waiting_) {
    // The play owes its end's notice from now on, as one whose tune still loads.
    CutWaiting();
    PlayNotices::The().Begin(0);
    play_waiting_ = true;
    return;
  }
  player_.Play();
}

void PageMediaPlayer::CutWaiting() {
  if (play_waiting_) PlayNotices::The().Settle(PlayEnd::kCut);
  play_waiting_ = false;
}

void PageMediaPlayer::Close() {
  CutWaiting();
  waiting_.reset();
  player_.Close();
  page::MusicPlays(false);
}

std::string PageMediaPlayer::MusicFailure() const {
  return failure_.empty() ? player_.MusicFailure() : failure_;
}

void PageMediaPlayer::Arrived() {
  fetching_ = false;
  const std::string problem = page::MusicProblem();
  // Stopped while the files came: they wait in the page for the next start, or, when they
  // failed, that start fetches them again.
  if (!waiting_) return;
  const std::string file = *waiting_;
  const bool play = play_waiting_;
  waiting_.reset();
  play_waiting_ = false;
  std::string error;
  if (problem.empty()) {
    const OpenResult opened = player_.Open(file, error);
    if (opened == OpenResult::kOpened) {
      // The real play owes the notice now.
      PlayNotices::The().Forget();
      if (play) player_.Play();
      return;
    }
    if (opened == OpenResult::kFileFailed) {
      // The build checked every tune; a damaged one is told, and the music waits for the
      // next start.
      ShowPageError("Vorlask cannot play its music: " + error);
      PlayNotices::The().Forget();
      return;
    }
  } else {
    // Without the piano no tune can play.
    error = "cannot fetch " + file + " and its piano: " + problem;
  }
  failure_ = error;
  if (!play) return;
  // Told as the end of the play, which the game hears as music that cannot play at all.
  PlayNotices::The().Begin(0);
  PlayNotices::The().Settle(PlayEnd::kMusicFailed);
}

WebPlatform::WebPlatform(TextRenderer& text, BitmapSet bitmaps)
    : SdlPlatform(text, std::move(bitmaps)), music_(SdlPlatform::GetMediaPlayer()) {
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

bool WebPlatform::DispatchOwn(const SDL_Event& event) {
  if (event.type != page::MusicArrivedEvent()) return false;
  music_.Arrived();
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
