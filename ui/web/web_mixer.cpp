// In the browser there are no shared libraries: SDL_mixer is linked into the program, and
// SDL's own loader cannot work in the page, so it is replaced here by the table of the
// linked-in functions.

#include <SDL.h>

#include "ui/sdl/linked_mixer.h"

extern "C" {

void* SDL_LoadObject(const char* sofile) {
  if (linked_mixer::IsMixer(sofile)) return &linked_mixer::library;
  SDL_SetError("no library %s in the page", sofile != nullptr ? sofile : "(null)");
  return nullptr;
}

void* SDL_LoadFunction(void* handle, const char* name) {
  if (handle == &linked_mixer::library) {
    if (void* function = linked_mixer::Function(name, &Mix_SetSoundFonts)) return function;
  }
  SDL_SetError("no function %s in the page", name != nullptr ? name : "(null)");
  return nullptr;
}

void SDL_UnloadObject(void*) {}

}  // extern "C"
