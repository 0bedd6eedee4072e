#include <cstdint>

#include "platform/sdl/loop_events.h"
#include "platform/sdl/sdl_platform.h"

namespace vorlask {

namespace {

// Runs on SDL's timer thread; the enabling's number travels in the parameter.
Uint32 TimerFired(Uint32, void* param) {
  PushLoopEvent(TimerEventType(), static_cast<Sint32>(reinterpret_cast<std::intptr_t>(param)));
  return 0;
}

}  // namespace

SdlTimer::~SdlTimer() {
  if (id_ != 0) SDL_RemoveTimer(id_);
}

void SdlTimer::Enable() {
  enabled_ = true;
  if (id_ != 0) return;
  ++arming_;
  id_ = SDL_AddTimer(kIntervalMs, &TimerFired,
                     reinterpret_cast<void*>(static_cast<std::intptr_t>(arming_)));
  if (id_ == 0) std::fprintf(stderr, "vorlask: the timer cannot start: %s\n", SDL_GetError());
}

void SdlTimer::Disable() {
  enabled_ = false;
  if (id_ != 0) SDL_RemoveTimer(id_);
  id_ = 0;
}

bool SdlTimer::TakeFiring(const SDL_UserEvent& event) {
  if (!enabled_ || id_ == 0 || event.code != arming_) return false;
  // The one-shot timer has run out: a later enabling arms it afresh.
  id_ = 0;
  return true;
}

}  // namespace vorlask
