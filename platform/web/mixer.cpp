// In the browser there are no shared libraries: SDL_mixer is linked into the program. Its own
// MIDI player (Timidity) plays the tunes with the page's piano.

#include "platform/sdl/linked_mixer.h"

namespace vorlask {

const Mixer* LoadMixer(std::string&) {
  static const Mixer mixer = LinkedMixer(&Mix_SetSoundFonts);
  return &mixer;
}

}  // namespace vorlask
