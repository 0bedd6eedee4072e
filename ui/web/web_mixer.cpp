// In the browser there are no shared libraries: SDL_mixer is linked into the program. The
// media player still asks SDL for the library and its functions by name, as it does on the
// desktop, so SDL's loader is replaced here by a table of the linked-in functions. SDL's own
// loader cannot work in the page anyway.

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>

namespace {

// Any non-null handle will do: there is only the one library.
char g_mixer_library;

struct Entry {
  const char* name;
  void* function;
};

const Entry kMixerFunctions[] = {
    {"Mix_Init", reinterpret_cast<void*>(&Mix_Init)},
    {"Mix_Quit", reinterpret_cast<void*>(&Mix_Quit)},
    {"Mix_OpenAudio", reinterpret_cast<void*>(&Mix_OpenAudio)},
    {"Mix_CloseAudio", reinterpret_cast<void*>(&Mix_CloseAudio)},
    {"Mix_SetSoundFonts", reinterpret_cast<void*>(&Mix_SetSoundFonts)},
    {"Mix_HasMusicDecoder", reinterpret_cast<void*>(&Mix_HasMusicDecoder)},
    {"Mix_LoadMUS_RW", reinterpret_cast<void*>(&Mix_LoadMUS_RW)},
    {"Mix_FreeMusic", reinterpret_cast<void*>(&Mix_FreeMusic)},
    {"Mix_PlayMusic", reinterpret_cast<void*>(&Mix_PlayMusic)},
    {"Mix_HaltMusic", reinterpret_cast<void*>(&Mix_HaltMusic)},
    {"Mix_HookMusicFinished", reinterpret_cast<void*>(&Mix_HookMusicFinished)},
};

}  // namespace

extern "C" {

void* SDL_LoadObject(const char* sofile) {
  if (sofile != nullptr && std::strncmp(sofile, "libSDL2_mixer", 13) == 0) return &g_mixer_library;
  SDL_SetError("no library %s in the page", sofile != nullptr ? sofile : "(null)");
  return nullptr;
}

void* SDL_LoadFunction(void* handle, const char* name) {
  if (handle == &g_mixer_library && name != nullptr) {
    for (const Entry& entry : kMixerFunctions) {
      if (std::strcmp(entry.name, name) == 0) return entry.function;
    }
  }
  SDL_SetError("no function %s in the page", name != nullptr ? name : "(null)");
  return nullptr;
}

void SDL_UnloadObject(void*) {}

}  // extern "C"
