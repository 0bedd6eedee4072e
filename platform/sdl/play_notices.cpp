#include "platform/sdl/play_notices.h"

#include "platform/sdl/loop_events.h"

namespace vorlask {

namespace {

// A play that runs out sooner than this after it started has played nothing audible.
constexpr Uint64 kQuickEndMs = 1000;

}  // namespace

PlayNotices& PlayNotices::The() {
  static PlayNotices notices;
  return notices;
}

void PlayNotices::MusicFinished() {
  PlayNotices& notices = The();
  notices.SettleEnded(notices.cutting_.load());
}

void PlayNotices::Begin(Sint32 number) {
  number_ = number;
  started_ms_ = SDL_GetTicks64();
  owes_notice_ = true;
}

void PlayNotices::Settle(MediaPlayer::PlayEnd end) {
  if (!owes_notice_.exchange(false)) return;
  PushLoopEvent(MusicEndEventType(), number_.load(), end);
}

void PlayNotices::SettleEnded(bool cut) {
  MediaPlayer::PlayEnd end = MediaPlayer::PlayEnd::kCut;
  if (!cut) {
    const bool quick = SDL_GetTicks64() - started_ms_.load() < kQuickEndMs;
    end = quick ? MediaPlayer::PlayEnd::kRanOutAtOnce : MediaPlayer::PlayEnd::kRanOut;
  }
  Settle(end);
}

}  // namespace vorlask
