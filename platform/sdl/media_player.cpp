#include "platform/sdl/media_player.h"

#include <SDL_mixer.h>

#include <cstdio>

#include "checks/file_result.h"
#include "checks/tune_check.h"
#include "platform/sdl/data_file.h"
#include "platform/sdl/play_notices.h"
#include "platform/sdl/system.h"

namespace vorlask {

namespace {

// How the messages name the audio device: the system's name for the default output, and the
// driver SDL plays through.
std::string DeviceName() {
  char* name = nullptr;
  SDL_AudioSpec format;
  std::string device = "the default audio device";
  if (SDL_GetDefaultAudioInfo(&name, &format, 0) == 0 && name != nullptr) {
    device = std::string("the audio device \"") + name + "\"";
    SDL_free(name);
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  return device + " (driver \"" + (driver != nullptr ? driver : "none") + "\")";
}

}  // namespace

SdlMediaPlayer::SdlMediaPlayer(std::vector<std::string> soundfonts)
    : soundfont_(std::move(soundfonts)) {}

SdlMediaPlayer::~SdlMediaPlayer() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    wanted_ = 0;
  }
  wake_.notify_all();
  // A load under way is finished first: the synthesizer cannot be stopped halfway.
  if (loader_ != nullptr) SDL_WaitThread(loader_, nullptr);
  CloseAudio();
}

void SdlMediaPlayer::CloseAudio() {
  if (!audio_open_) return;
  mixer_->HookMusicFinished(nullptr);
  mixer_->HaltMusic();
  PlayNotices::The().Forget();
  if (music_ != nullptr) mixer_->FreeMusic(music_);
  music_ = nullptr;
  tune_.reset();
  load_ = Load::kNone;
  mixer_->CloseAudio();
  mixer_->Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_open_ = false;
}

MediaPlayer::OpenResult SdlMediaPlayer::OpenAudio(std::string& error) {
  if (audio_open_) return OpenResult::kOpened;
  if (!soundfont_.Open(error)) return OpenResult::kMusicFailed;
  const Mixer* mixer = LoadMixer(error);
  if (mixer == nullptr) return OpenResult::kMusicFailed;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    const char* driver = SDL_getenv("SDL_AUDIODRIVER");
    error = (driver != nullptr ? std::string("the audio driver \"") + driver + "\" cannot start"
                               : std::string("no audio device is available")) +
            ": " + SDL_GetError();
    return OpenResult::kMusicFailed;
  }
  device_ = DeviceName();
  mixer->SetSoundFonts(soundfont_.Path().c_str());
  if ((mixer->Init(MIX_INIT_MID) & MIX_INIT_MID) == 0) {
    error = std::string("MIDI playback is not available: ") + SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kMusicFailed;
  }
  if (mixer->OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    error = device_ + " cannot be opened: " + SDL_GetError();
    mixer->Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kMusicFailed;
  }
  // Timidity reads its configuration as the audio opens, and SDL_mixer leaves MIDI out of its
  // decoders when Timidity refuses it; every tune would then be blamed in turn for the fault.
  if (mixer->HasMusicDecoder != nullptr && mixer->HasMusicDecoder("MIDI") == SDL_FALSE) {
    error = "the synthesizer cannot load the MIDI sound font " + soundfont_.Path();
    mixer->CloseAudio();
    mixer->Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kMusicFailed;
  }
  mixer->HookMusicFinished(&PlayNotices::MusicFinished);
  mixer_ = mixer;
  audio_open_ = true;
  if (!loader_tried_) {
    loader_tried_ = true;
    loader_ = SDL_CreateThread(&SdlMediaPlayer::LoadTunes, "vorlask music", this);
  }
  return OpenResult::kOpened;
}

Mix_Music* SdlMediaPlayer::LoadTune(const std::vector<unsigned char>& tune,
                                    const std::string& soundfont, std::string& failure,
                                    bool& soundfont_failed) {
  // The synthesizer reads its sound font as it loads each tune, on this thread only.
  mixer_->SetSoundFonts(soundfont.c_str());
  if (mixer_->TakeSoundFontFailure != nullptr) mixer_->TakeSoundFontFailure();
  SDL_RWops* source = SDL_RWFromConstMem(tune.data(), static_cast<int>(tune.size()));
  Mix_Music* music = source != nullptr ? mixer_->LoadMUS_RW(source, 1) : nullptr;
  if (music == nullptr) failure = SDL_GetError();
  // SDL_mixer plays on without the sound font the synthesizer could not load: in silence.
  soundfont_failed = mixer_->TakeSoundFontFailure != nullptr && mixer_->TakeSoundFontFailure();
  if (soundfont_failed && music != nullptr) {
    mixer_->FreeMusic(music);
    music = nullptr;
  }
  return music;
}

int SdlMediaPlayer::LoadTunes(void* data) {
  auto& player = *static_cast<SdlMediaPlayer*>(data);
  std::unique_lock<std::mutex> lock(player.mutex_);
  while (true) {
    player.wake_.wait(lock, [&] { return player.stopping_ || player.pending_ != nullptr; });
    if (player.stopping_) return 0;
    const std::shared_ptr<const std::vector<unsigned char>> tune = std::move(player.pending_);
    const std::string soundfont = player.pending_soundfont_;
    const int open = player.wanted_;
    lock.unlock();
    std::string failure;
    bool soundfont_failed = false;
    Mix_Music* music = player.LoadTune(*tune, soundfont, failure, soundfont_failed);
    lock.lock();
    if (open == player.wanted_ && music != nullptr) player.tune_ = tune;
    player.Accept(open, music, failure, soundfont_failed);
  }
}

void SdlMediaPlayer::Accept(int open, Mix_Music* music, const std::string& failure,
                            bool soundfont_failed) {
  if (open != wanted_ || open == 0) {
    // Closed, or another file opened, while this one loaded.
    if (music != nullptr) mixer_->FreeMusic(music);
    return;
  }
  if (music != nullptr) {
    music_ = music;
    load_ = Load::kLoaded;
    if (play_wanted_) StartPlay();
    return;
  }
  if (soundfont_failed) {
    load_ = Load::kNoMusic;
    failure_ = "the synthesizer cannot load the MIDI sound font " + soundfont_.Path();
    if (play_wanted_) PlayNotices::The().Settle(PlayEnd::kMusicFailed);
    return;
  }
  load_ = Load::kFailed;
  load_failure_ = "the synthesizer cannot read the music file " + file_ + ": " + failure;
  if (play_wanted_) {
    // Told as a tune that ends at once, which the game reports as damaged and skips.
    std::fprintf(stderr, "vorlask: %s\n", AsShown(load_failure_).c_str());
    PlayNotices::The().SettleEnded(false);
  }
}

MediaPlayer::OpenResult SdlMediaPlayer::Open(const std::string& file, std::string& error) {
  Close();
  std::vector<unsigned char> bytes;
  std::string reason;
  if (const FileResult read = ReadDataFile(file, kMaxTuneBytes, bytes, reason);
      read != FileResult::kLoaded) {
    error = "the music file " + file + FileProblem(read, reason);
    return OpenResult::kFileFailed;
  }
  std::vector<Preset> presets;
  if (const std::string problem = TuneProblem(bytes.data(), bytes.size(), &presets);
      !problem.empty()) {
    error = "the music file " + file + " is damaged: " + problem;
    return OpenResult::kFileFailed;
  }
  if (OpenAudio(error) != OpenResult::kOpened) return OpenResult::kMusicFailed;
  std::string soundfont;
  if (!soundfont_.NameFor(presets, soundfont, error)) return OpenResult::kMusicFailed;
  if (mixer_->NewPlay != nullptr) mixer_->NewPlay();
  auto tune = std::make_shared<const std::vector<unsigned char>>(std::move(bytes));
  std::unique_lock<std::mutex> lock(mutex_);
  file_ = file;
  wanted_ = ++opens_;
  load_ = Load::kLoading;
  if (loader_ != nullptr) {
    pending_ = std::move(tune);
    pending_soundfont_ = soundfont;
    lock.unlock();
    wake_.notify_all();
    return OpenResult::kOpened;
  }
  std::string failure;
  bool soundfont_failed = false;
  Mix_Music* music = LoadTune(*tune, soundfont, failure, soundfont_failed);
  if (music != nullptr) tune_ = tune;
  Accept(wanted_, music, failure, soundfont_failed);
  if (load_ == Load::kNoMusic) {
    error = failure_;
    return OpenResult::kMusicFailed;
  }
  if (load_ == Load::kFailed) {
    error = load_failure_;
    return OpenResult::kFileFailed;
  }
  return OpenResult::kOpened;
}

void SdlMediaPlayer::EndPlay() {
  if (!audio_open_) return;
  PlayNotices::The().Cut([this] { mixer_->HaltMusic(); });
}

void SdlMediaPlayer::StartPlay() {
  PlayNotices::The().Restart();
  if (mixer_->PlayMusic(music_, 0) != 0) {
    PlayNotices::The().Forget();
    std::fprintf(stderr, "vorlask: cannot play %s: %s\n", AsShown(file_).c_str(), SDL_GetError());
  }
}

void SdlMediaPlayer::Play() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (load_ == Load::kNone) return;
  EndPlay();
  PlayNotices::The().Begin(++play_number_);
  switch (load_) {
    case Load::kLoaded:
      StartPlay();
      break;
    case Load::kLoading:
      play_wanted_ = true;
      break;
    case Load::kFailed:
      PlayNotices::The().SettleEnded(false);
      break;
    case Load::kNoMusic:
      PlayNotices::The().Settle(PlayEnd::kMusicFailed);
      break;
    case Load::kNone:
      break;
  }
}

void SdlMediaPlayer::TakeNotice(const SDL_UserEvent& event) {
  const auto end = static_cast<PlayEnd>(reinterpret_cast<std::intptr_t>(event.data1));
  noticed_end_ = event.code == play_number_ ? end : PlayEnd::kCut;
  // A failed sound font or device concerns every play, the latest or not.
  if (end == PlayEnd::kMusicFailed) noticed_end_ = end;
}

MediaPlayer::PlayEnd SdlMediaPlayer::TakeEndOfPlay() {
  const PlayEnd end = noticed_end_;
  noticed_end_ = PlayEnd::kCut;
  return end;
}

std::string SdlMediaPlayer::MusicFailure() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return failure_;
}

void SdlMediaPlayer::Close() {
  const std::lock_guard<std::mutex> lock(mutex_);
  EndPlay();
  wanted_ = 0;
  pending_.reset();
  play_wanted_ = false;
  load_ = Load::kNone;
  if (music_ != nullptr) mixer_->FreeMusic(music_);
  music_ = nullptr;
  tune_.reset();
  file_.clear();
}

void SdlMediaPlayer::DeviceLost() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!audio_open_) return;
  failure_ = device_ + " stopped working";
  PlayNotices::The().Settle(PlayEnd::kMusicFailed);
  wanted_ = 0;
  pending_.reset();
  play_wanted_ = false;
  CloseAudio();
}

}  // namespace vorlask
