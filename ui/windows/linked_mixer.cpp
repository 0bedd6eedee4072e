// On Windows SDL_mixer is linked into the program, which ships as one file. The media player
// still asks SDL's loader for the library and its functions by name, as it does on Linux; the
// link routes those three calls here (-Wl,--wrap), where a table of the linked-in functions
// answers for SDL_mixer and SDL's own loader for any other library (FluidSynth's, asked for
// its log, is not found: Timidity plays the tunes here).

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>

namespace {

// Any non-null handle will do: there is only the one library.
char g_mixer_library;

// The music's instruments on Windows are Timidity's: the media player's sound font is the
// Timidity configuration that names them.
int SetInstruments(const char* timidity_cfg) {
  return Mix_SetTimidityCfg(timidity_cfg);
}

struct Entry {
  const char* name;
  void* function;
};

const Entry kMixerFunctions[] = {
    {"Mix_Init", reinterpret_cast<void*>(&Mix_Init)},
    {"Mix_Quit", reinterpret_cast<void*>(&Mix_Quit)},
    {"Mix_OpenAudio", reinterpret_cast<void*>(&Mix_OpenAudio)},
    {"Mix_CloseAudio", reinterpret_cast<void*>(&Mix_CloseAudio)},
    {"Mix_SetSoundFonts", reinterpret_cast<void*>(&SetInstruments)},
    {"Mix_LoadMUS_RW", reinterpret_cast<void*>(&Mix_LoadMUS_RW)},
    {"Mix_FreeMusic", reinterpret_cast<void*>(&Mix_FreeMusic)},
    {"Mix_PlayMusic", reinterpret_cast<void*>(&Mix_PlayMusic)},
    {"Mix_HaltMusic", reinterpret_cast<void*>(&Mix_HaltMusic)},
    {"Mix_HookMusicFinished", reinterpret_cast<void*>(&Mix_HookMusicFinished)},
    {"Mix_HasMusicDecoder", reinterpret_cast<void*>(&Mix_HasMusicDecoder)},
};

}  // namespace

extern "C" {

void* __real_SDL_LoadObject(const char* sofile);
void* __real_SDL_LoadFunction(void* handle, const char* name);
void __real_SDL_UnloadObject(void* handle);

void* __wrap_SDL_LoadObject(const char* sofile) {
  if (sofile != nullptr && std::strncmp(sofile, "libSDL2_mixer", 13) == 0) return &g_mixer_library;
  return __real_SDL_LoadObject(sofile);
}

void* __wrap_SDL_LoadFunction(void* handle, const char* name) {
  if (handle != &g_mixer_library) return __real_SDL_LoadFunction(handle, name);
  if (name != nullptr) {
    for (const Entry& entry : kMixerFunctions) {
      if (std::strcmp(entry.name, name) == 0) return entry.function;
    }
  }
  SDL_SetError("SDL_mixer has no function %s", name != nullptr ? name : "(null)");
  return nullptr;
}

void __wrap_SDL_UnloadObject(void* handle) {
  if (handle != &g_mixer_library) __real_SDL_UnloadObject(handle);
}

}  // extern "C"
