#include <string>

#include "game/state.h"

namespace vorlask {

// Plays the file of TrackNumber and moves the cycle on. A file that cannot be opened is
// reported and left where it is in the cycle, so the next start tries it again; the caller
// carries on, since a game without music is still a game.
void TForm3::wolf4() {
  NotifyArmed = 1;
  if (TrackNumber >= 1 && TrackNumber <= kMusicFiles.size()) {
    const std::string file = StartDirectory + "/" + kMusicFiles[TrackNumber - 1u];
    std::string error;
    if (!MediaPlayer1.Open(file, error)) {
      std::string message = "Vorlask cannot play its music: " + error;
      if (error.find(file) == std::string::npos) message += " (" + file + ")";
      platform.ShowError(message);
      return;
    }
    MediaPlayer1.Play();
  }
  TrackNumber = static_cast<std::uint8_t>(TrackNumber + 1);
  if (TrackNumber > 3) TrackNumber = 1;
}

// The end of a play, whether it ran out or was cut short. Whoever cut it short has decided
// through NotifyArmed whether this may start the next file.
void TForm3::MediaPlayer1Notify() {
  if (NotifyArmed == 1 && MusicOn == 1) wolf4();
  NotifyArmed = 1;
}

}  // namespace vorlask
