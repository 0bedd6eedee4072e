#pragma once

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace vorlask::testing {

// Watches how long the audio thread holds the audio device's lock, which the window's thread
// needs to stop or change the music: a second thread takes the lock again and again and keeps
// the longest wait. The device is SDL_mixer's, the first one the process opened (SDL keeps the
// number 1 for its older interface).
class AudioHoldWatch {
 public:
  AudioHoldWatch() : thread_([this] { Watch(); }) {}
  ~AudioHoldWatch() {
    stop_ = true;
    thread_.join();
  }
  AudioHoldWatch(const AudioHoldWatch&) = delete;
  AudioHoldWatch& operator=(const AudioHoldWatch&) = delete;

  // The longest wait for the lock so far, in milliseconds.
  Uint64 LongestMs() const { return longest_ms_.load(); }

 private:
  void Watch() {
    constexpr SDL_AudioDeviceID kDevice = 2;
    while (!stop_) {
      const Uint64 start = SDL_GetTicks64();
      SDL_LockAudioDevice(kDevice);
      const Uint64 waited = SDL_GetTicks64() - start;
      SDL_UnlockAudioDevice(kDevice);
      longest_ms_ = std::max(longest_ms_.load(), waited);
      SDL_Delay(1);
    }
  }

  std::atomic<bool> stop_{false};
  std::atomic<Uint64> longest_ms_{0};
  std::thread thread_;
};

}  // namespace vorlask::testing
