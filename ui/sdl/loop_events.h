#pragma once

#include <SDL.h>

#include "game/platform.h"

namespace vorlask {

// The event types the loop's own events carry, once RegisterLoopEvents has run.
Uint32 TimerEventType();
Uint32 MusicEndEventType();

// Puts one of the loop's own events on SDL's queue. Safe from any thread: the timer's and the
// audio thread's callbacks do nothing else.
void PushLoopEvent(Uint32 type, Sint32 code, MediaPlayer::PlayEnd end = MediaPlayer::PlayEnd::kCut);

}  // namespace vorlask
