// On Windows SDL_mixer is linked into the program, which ships as one file. The link routes
// SDL's three loader calls here (-Wl,--wrap), where the table of the linked-in functions
// answers for SDL_mixer and SDL's own loader for any other library (FluidSynth's, asked for
// its log, is not found: Timidity plays the tunes here).

#include <SDL.h>

#include "ui/sdl/linked_mixer.h"

namespace {

// The music's instruments on Windows are Timidity's: the media player's sound font is the
// Timidity configuration that names them.
int SetInstruments(const char* timidity_cfg) {
  return Mix_SetTimidityCfg(timidity_cfg);
}

}  // namespace

extern "C" {

void* __real_SDL_LoadObject(const char* sofile);
void* __real_SDL_LoadFunction(void* handle, const char* name);
void __real_SDL_UnloadObject(void* handle);

void* __wrap_SDL_LoadObject(const char* sofile) {
  if (linked_mixer::IsMixer(sofile)) return &linked_mixer::library;
  return __real_SDL_LoadObject(sofile);
}

void* __wrap_SDL_LoadFunction(void* handle, const char* name) {
  if (handle != &linked_mixer::library) return __real_SDL_LoadFunction(handle, name);
  if (void* function = linked_mixer::Function(name, &SetInstruments)) return function;
  SDL_SetError("SDL_mixer has no function %s", name != nullptr ? name : "(null)");
  return nullptr;
}

void __wrap_SDL_UnloadObject(void* handle) {
  if (handle != &linked_mixer::library) __real_SDL_UnloadObject(handle);
}

}  // extern "C"
