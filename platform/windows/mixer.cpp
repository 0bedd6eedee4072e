// On Windows SDL_mixer is linked into the program, which ships as one file. Its own MIDI player
// (Timidity) plays the tunes: the media player's sound font is the Timidity configuration that
// names the instruments.

#include "platform/sdl/linked_mixer.h"

namespace vorlask {

const Mixer* LoadMixer(std::string&) {
  static const Mixer mixer = LinkedMixer(&Mix_SetTimidityCfg);
  return &mixer;
}

}  // namespace vorlask
