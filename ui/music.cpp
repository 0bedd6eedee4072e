#include <string>

#include "ui/form.h"

namespace vorlask {

// Plays the file of TrackNumber and moves the cycle on. A file that cannot be opened is
// reported and left where it is in the cycle, so the next start tries it again; the caller
// carries on, since a game without music is still a game.
void TForm3::wolf4() {
  NotifyArmed = 1;
  // Every file ran out at once the last time round; trying them again would only spin.
  if (MusicStalled == 1) return;
  if (TrackNumber >= 1 && TrackNumber <= kMusicFiles.size()) {
    const std::string file = StartDirectory + "/" + kMusicFiles[TrackNumber - 1u];
    std::string error;
    switch (MediaPlayer1.Open(file, error)) {
      case MediaPlayer::OpenResult::kOpened:
        break;
      case MediaPlayer::OpenResult::kFileFailed: {
        std::string message = "Vorlask cannot play its music: " + error;
        if (error.find(file) == std::string::npos) message += " (" + file + ")";
        platform.ShowError(message);
        return;
      }
      case MediaPlayer::OpenResult::kMusicFailed:
        return MusicUnavailable(error);
    }
    MediaPlayer1.Play();
    PlayingTrack = TrackNumber;
  }
  TrackNumber = static_cast<std::uint8_t>(TrackNumber + 1);
  if (TrackNumber > 3) TrackNumber = 1;
}

// The end of a play, whether it ran out or was cut short. Whoever cut it short has decided
// through NotifyArmed whether this may start the next file; a cut play never does, since its
// notification can arrive after queued input has armed the cycle again for a later play.
void TForm3::MediaPlayer1Notify() {
  const HandlerCheck check(*this);
  const MediaPlayer::PlayEnd end = MediaPlayer1.TakeEndOfPlay();
  if (end == MediaPlayer::PlayEnd::kMusicFailed && MusicOn == 1) {
    MusicUnavailable(MediaPlayer1.MusicFailure());
  } else if (NotifyArmed == 1 && MusicOn == 1 && end != MediaPlayer::PlayEnd::kCut) {
    if (end == MediaPlayer::PlayEnd::kRanOutAtOnce) {
      MusicRanOutAtOnce();
    } else {
      QuickEnds = 0;
    }
    wolf4();
  }
  NotifyArmed = 1;
}

// Without a sound font or an audio device no file can play: the person is told once, the Music
// box is cleared to say so, and nothing tries again until the music is next switched on. The
// game goes on without it.
void TForm3::MusicUnavailable(const std::string& reason) {
  MusicOn = 0;
  DrawMark(layout::kMusicBox, false);
  MediaPlayer1.Close();
  platform.ShowError("Vorlask cannot play music: " + reason +
                     ". The game goes on without it; the Music box tries again.");
}

// A tune that ends as soon as it starts plays nothing: its file is damaged in a way the outline
// check cannot see. It is reported once and skipped; when every file has done so in a row the
// cycle stops, so that "music on" with nothing playable costs nothing.
void TForm3::MusicRanOutAtOnce() {
  if (PlayingTrack < 1 || PlayingTrack > kMusicFiles.size()) return;
  ++QuickEnds;
  if (QuickEnds >= kMusicFiles.size()) {
    MusicStalled = 1;
    platform.ShowError(
        "Vorlask cannot play its music: every music file ended as soon as it started. The music "
        "stays silent until it is switched on again.");
    return;
  }
  const auto bit = static_cast<std::uint8_t>(1u << (PlayingTrack - 1u));
  if ((QuickEndsReported & bit) != 0) return;
  QuickEndsReported = static_cast<std::uint8_t>(QuickEndsReported | bit);
  platform.ShowError("Vorlask cannot play its music file " + StartDirectory + "/" +
                     kMusicFiles[PlayingTrack - 1u] +
                     ": it ended as soon as it started, so it is damaged. The music goes on "
                     "with the next file.");
}

}  // namespace vorlask
