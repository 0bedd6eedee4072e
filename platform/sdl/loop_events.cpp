#include "platform/sdl/loop_events.h"

#include <atomic>
#include <cstdint>

#include "platform/sdl/sdl_platform.h"

namespace vorlask {

namespace {

std::atomic<Uint32> g_timer_event{0};
std::atomic<Uint32> g_music_end_event{0};

}  // namespace

Uint32 TimerEventType() {
  return g_timer_event.load();
}

Uint32 MusicEndEventType() {
  return g_music_end_event.load();
}

void PushLoopEvent(Uint32 type, Sint32 code, MediaPlayer::PlayEnd end) {
  SDL_Event event;
  SDL_zero(event);
  event.type = type;
  event.user.code = code;
  event.user.data1 = reinterpret_cast<void*>(static_cast<std::intptr_t>(end));
  SDL_PushEvent(&event);
}

LoopEvents RegisterLoopEvents() {
  const Uint32 first = SDL_RegisterEvents(2);
  LoopEvents events;
  if (first != static_cast<Uint32>(-1)) {
    events.timer = first;
    events.music_end = first + 1;
  }
  g_timer_event = events.timer;
  g_music_end_event = events.music_end;
  return events;
}

}  // namespace vorlask
