#pragma once

#include <SDL_mixer.h>

#include "platform/sdl/mixer.h"

namespace vorlask {

// SDL_mixer where it is linked into the program (the page, Windows), with the platform's way
// of naming its instruments. Its MIDI player, Timidity, keeps no log of its own.
inline Mixer LinkedMixer(int (*set_instruments)(const char*)) {
  return {&Mix_Init,
          &Mix_Quit,
          &Mix_OpenAudio,
          &Mix_CloseAudio,
          set_instruments,
          &Mix_HasMusicDecoder,
          &Mix_LoadMUS_RW,
          &Mix_FreeMusic,
          &Mix_PlayMusic,
          &Mix_HaltMusic,
          &Mix_HookMusicFinished,
          nullptr,
          nullptr};
}

}  // namespace vorlask
