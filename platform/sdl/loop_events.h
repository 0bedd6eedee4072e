#pragma once

#include <SDL.h>

#include "ui/platform.h"

namespace vorlask {

// The events that the timer and the music report from their own threads. Their callbacks only
// push one of these; the handlers run on the window's thread, in arrival order.
struct LoopEvents {
  Uint32 timer = 0;
  Uint32 music_end = 0;
};

// Registers the two loop events with SDL; the timer and the music push them from now on.
LoopEvents RegisterLoopEvents();

// The event types the loop's own events carry, once RegisterLoopEvents has run.
Uint32 TimerEventType();
Uint32 MusicEndEventType();

// Puts one of the loop's own events on SDL's queue. Safe from any thread: the timer's and the
// audio thread's callbacks do nothing else.
void PushLoopEvent(Uint32 type, Sint32 code, MediaPlayer::PlayEnd end = MediaPlayer::PlayEnd::kCut);

}  // namespace vorlask
