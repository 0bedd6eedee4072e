// Where SDL_mixer is linked into the program (the page, Windows) the media player still asks
// for the library and its functions by name, as it does on Linux. This table answers for the
// functions it asks for; each such platform routes SDL's loader to it in its own way.
#pragma once

#include <SDL_mixer.h>

#include <cstring>

namespace linked_mixer {

// Any non-null handle will do: there is only the one library.
inline char library;

inline bool IsMixer(const char* sofile) {
  return sofile != nullptr && std::strncmp(sofile, "libSDL2_mixer", 13) == 0;
}

// The linked-in function called `name`, or null. The sound font is set through
// `set_sound_fonts`: a platform whose instruments come another way passes its own.
inline void* Function(const char* name, int (*set_sound_fonts)(const char*)) {
  struct Entry {
    const char* name;
    void* function;
  };
  const Entry functions[] = {
      {"Mix_Init", reinterpret_cast<void*>(&Mix_Init)},
      {"Mix_Quit", reinterpret_cast<void*>(&Mix_Quit)},
      {"Mix_OpenAudio", reinterpret_cast<void*>(&Mix_OpenAudio)},
      {"Mix_CloseAudio", reinterpret_cast<void*>(&Mix_CloseAudio)},
      {"Mix_SetSoundFonts", reinterpret_cast<void*>(set_sound_fonts)},
      {"Mix_HasMusicDecoder", reinterpret_cast<void*>(&Mix_HasMusicDecoder)},
      {"Mix_LoadMUS_RW", reinterpret_cast<void*>(&Mix_LoadMUS_RW)},
      {"Mix_FreeMusic", reinterpret_cast<void*>(&Mix_FreeMusic)},
      {"Mix_PlayMusic", reinterpret_cast<void*>(&Mix_PlayMusic)},
      {"Mix_HaltMusic", reinterpret_cast<void*>(&Mix_HaltMusic)},
      {"Mix_HookMusicFinished", reinterpret_cast<void*>(&Mix_HookMusicFinished)},
  };
  if (name == nullptr) return nullptr;
  for (const Entry& entry : functions) {
    if (std::strcmp(entry.name, name) == 0) return entry.function;
  }
  return nullptr;
}

}  // namespace linked_mixer
