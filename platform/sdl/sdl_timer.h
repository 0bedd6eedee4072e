#pragma once

#include <SDL.h>

#include "ui/platform.h"

namespace vorlask {

// Timer1: SDL's timer thread pushes an event 300 ms after the enabling. Each enabling gets its
// own number, so a firing that was already queued when the timer was disabled (and perhaps
// enabled again) is recognised as stale and ignored.
class SdlTimer : public Timer {
 public:
  SdlTimer() = default;
  ~SdlTimer() override;
  SdlTimer(const SdlTimer&) = delete;
  SdlTimer& operator=(const SdlTimer&) = delete;

  void Enable() override;
  void Disable() override;
  bool Enabled() const override { return enabled_; }
  // True when the firing belongs to the current enabling; then the handler is due, and the
  // timer counts as run out, so that the next enabling arms it again.
  bool TakeFiring(const SDL_UserEvent& event);

  static constexpr Uint32 kIntervalMs = 300;

 private:
  bool enabled_ = false;
  SDL_TimerID id_ = 0;
  Sint32 arming_ = 0;
};

}  // namespace vorlask
