#include <SDL_mixer.h>

#include <atomic>
#include <filesystem>

#include "ui/file_path.h"
#include "ui/sdl/loop_events.h"
#include "ui/sdl/sdl_platform.h"
#include "ui/tune_check.h"

namespace vorlask {

// SDL_mixer, with FluidSynth and the codecs it brings, is loaded when music is first wanted:
// most runs never play music, and loading it would slow every start.
struct Mixer {
  int (*Init)(int);
  void (*Quit)();
  int (*OpenAudio)(int, Uint16, int, int);
  void (*CloseAudio)();
  int (*SetSoundFonts)(const char*);
  Mix_Music* (*LoadMUS)(const char*);
  void (*FreeMusic)(Mix_Music*);
  int (*PlayMusic)(Mix_Music*, int);
  int (*HaltMusic)();
  void (*HookMusicFinished)(void (*)());
};

namespace {

// SDL_mixer's end-of-music hook takes no user data, so what it needs lives here. The flag is
// set while a started play has not yet reported its end; whoever clears it pushes the one
// notification of that play, tagged with the play's number and how it ended.
std::atomic<bool> g_play_owes_notice{false};
std::atomic<Sint32> g_play_number{0};
std::atomic<Uint64> g_play_started_ms{0};
std::atomic<bool> g_cutting_play{false};

// A play that runs out sooner than this after it started has played nothing audible.
constexpr Uint64 kQuickEndMs = 1000;

void SettlePlay(bool cut) {
  if (!g_play_owes_notice.exchange(false)) return;
  MediaPlayer::PlayEnd end = MediaPlayer::PlayEnd::kCut;
  if (!cut) {
    const bool quick = SDL_GetTicks64() - g_play_started_ms.load() < kQuickEndMs;
    end = quick ? MediaPlayer::PlayEnd::kRanOutAtOnce : MediaPlayer::PlayEnd::kRanOut;
  }
  PushLoopEvent(MusicEndEventType(), g_play_number.load(), end);
}

// Runs on the audio thread when a play runs out, or inside Mix_HaltMusic when one is cut.
void MusicFinished() {
  SettlePlay(g_cutting_play.load());
}

template <typename F>
bool Resolve(void* library, const char* name, F& out) {
  out = reinterpret_cast<F>(SDL_LoadFunction(library, name));
  return out != nullptr;
}

// The library, loaded once for the rest of the run; nullptr with the reason when it cannot be.
const Mixer* LoadMixer(std::string& error) {
  static Mixer mixer;
  static bool loaded = false;
  if (loaded) return &mixer;
  void* library = SDL_LoadObject("libSDL2_mixer-2.0.so.0");
  if (library == nullptr) {
    error = std::string("SDL_mixer is not installed: ") + SDL_GetError();
    return nullptr;
  }
  if (!Resolve(library, "Mix_Init", mixer.Init) || !Resolve(library, "Mix_Quit", mixer.Quit) ||
      !Resolve(library, "Mix_OpenAudio", mixer.OpenAudio) ||
      !Resolve(library, "Mix_CloseAudio", mixer.CloseAudio) ||
      !Resolve(library, "Mix_SetSoundFonts", mixer.SetSoundFonts) ||
      !Resolve(library, "Mix_LoadMUS", mixer.LoadMUS) ||
      !Resolve(library, "Mix_FreeMusic", mixer.FreeMusic) ||
      !Resolve(library, "Mix_PlayMusic", mixer.PlayMusic) ||
      !Resolve(library, "Mix_HaltMusic", mixer.HaltMusic) ||
      !Resolve(library, "Mix_HookMusicFinished", mixer.HookMusicFinished)) {
    error = std::string("SDL_mixer is incomplete: ") + SDL_GetError();
    SDL_UnloadObject(library);
    return nullptr;
  }
  loaded = true;
  return &mixer;
}

}  // namespace

std::string ChooseSoundFont(const std::vector<std::string>& candidates) {
  std::error_code ec;
  for (const std::string& file : candidates) {
    if (std::filesystem::is_regular_file(FilePath(file), ec)) return file;
  }
  return candidates.empty() ? std::string() : candidates.front();
}

SdlMediaPlayer::SdlMediaPlayer(std::string soundfont) : soundfont_(std::move(soundfont)) {}

SdlMediaPlayer::~SdlMediaPlayer() {
  if (!audio_open_) return;
  mixer_->HookMusicFinished(nullptr);
  mixer_->HaltMusic();
  g_play_owes_notice = false;
  if (music_ != nullptr) mixer_->FreeMusic(music_);
  mixer_->CloseAudio();
  mixer_->Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlMediaPlayer::OpenAudio(std::string& error) {
  if (audio_open_) return true;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FilePath(soundfont_), ec)) {
    error = "the MIDI sound font " + soundfont_ + " is missing";
    return false;
  }
  const Mixer* mixer = LoadMixer(error);
  if (mixer == nullptr) return false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    error = std::string("no audio device is available: ") + SDL_GetError();
    return false;
  }
  mixer->SetSoundFonts(soundfont_.c_str());
  if ((mixer->Init(MIX_INIT_MID) & MIX_INIT_MID) == 0) {
    error = std::string("MIDI playback is not available: ") + Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  if (mixer->OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    error = std::string("the audio device cannot be opened: ") + Mix_GetError();
    mixer->Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  mixer->HookMusicFinished(&MusicFinished);
  mixer_ = mixer;
  audio_open_ = true;
  return true;
}

bool SdlMediaPlayer::Open(const std::string& file, std::string& error) {
  Close();
  std::error_code ec;
  if (!std::filesystem::exists(FilePath(file), ec)) {
    error = "the music file " + file + " is missing";
    return false;
  }
  if (!std::filesystem::is_regular_file(FilePath(file), ec)) {
    error = "the music file " + file + " is not a file";
    return false;
  }
  if (const std::string problem = TuneFileProblem(file); !problem.empty()) {
    error = "the music file " + file + " is damaged: " + problem;
    return false;
  }
  if (!OpenAudio(error)) {
    error = "cannot play " + file + ": " + error;
    return false;
  }
  music_ = mixer_->LoadMUS(file.c_str());
  if (music_ == nullptr) {
    error = "cannot play " + file + ": " + Mix_GetError();
    return false;
  }
  file_ = file;
  return true;
}

void SdlMediaPlayer::EndPlay() {
  if (!audio_open_) return;
  // Halting calls the hook, which settles the play; settle it here too in case the hook does
  // not run, so that the play reports its end exactly once.
  g_cutting_play = true;
  mixer_->HaltMusic();
  SettlePlay(true);
  g_cutting_play = false;
}

void SdlMediaPlayer::Play() {
  if (music_ == nullptr) return;
  EndPlay();
  g_play_number = ++play_number_;
  g_play_started_ms = SDL_GetTicks64();
  g_play_owes_notice = true;
  if (mixer_->PlayMusic(music_, 0) != 0) {
    g_play_owes_notice = false;
    std::fprintf(stderr, "vorlask: cannot play %s: %s\n", file_.c_str(), Mix_GetError());
  }
}

void SdlMediaPlayer::TakeNotice(const SDL_UserEvent& event) {
  const auto end = static_cast<PlayEnd>(reinterpret_cast<std::intptr_t>(event.data1));
  noticed_end_ = event.code == play_number_ ? end : PlayEnd::kCut;
}

MediaPlayer::PlayEnd SdlMediaPlayer::TakeEndOfPlay() {
  const PlayEnd end = noticed_end_;
  noticed_end_ = PlayEnd::kCut;
  return end;
}

void SdlMediaPlayer::Close() {
  EndPlay();
  if (music_ != nullptr) mixer_->FreeMusic(music_);
  music_ = nullptr;
  file_.clear();
}

}  // namespace vorlask
