#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "ui/sdl/data_file.h"
#include "ui/sdl/loop_events.h"
#include "ui/sdl/sdl_platform.h"
#include "ui/sdl/system.h"
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
  Mix_Music* (*LoadMUS_RW)(SDL_RWops*, int);
  void (*FreeMusic)(Mix_Music*);
  int (*PlayMusic)(Mix_Music*, int);
  int (*HaltMusic)();
  void (*HookMusicFinished)(void (*)());
  SDL_bool (*HasMusicDecoder)(const char*);  // nullptr before SDL_mixer 2.6
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

void SettlePlayAs(MediaPlayer::PlayEnd end) {
  if (!g_play_owes_notice.exchange(false)) return;
  PushLoopEvent(MusicEndEventType(), g_play_number.load(), end);
}

void SettlePlay(bool cut) {
  MediaPlayer::PlayEnd end = MediaPlayer::PlayEnd::kCut;
  if (!cut) {
    const bool quick = SDL_GetTicks64() - g_play_started_ms.load() < kQuickEndMs;
    end = quick ? MediaPlayer::PlayEnd::kRanOutAtOnce : MediaPlayer::PlayEnd::kRanOut;
  }
  SettlePlayAs(end);
}

// Runs on the audio thread when a play runs out, or inside Mix_HaltMusic when one is cut.
void MusicFinished() {
  SettlePlay(g_cutting_play.load());
}

// FluidSynth writes its warnings to stderr, one line for each, and a hostile tune or sound font
// can make millions. Its log goes through here instead: a few lines a play, and a note of a
// sound font it failed to load, which SDL_mixer would pass over in silence.
constexpr int kSynthLinesPerPlay = 3;
std::atomic<int> g_synth_lines{0};
std::atomic<bool> g_soundfont_failed{false};

void SynthLog(int level, const char* message, void*) {
  // FluidSynth's levels: panic, error, warning, information, debugging.
  if (level > 2 || message == nullptr) return;
  if (level <= 1 && std::strstr(message, "SoundFont") != nullptr) g_soundfont_failed = true;
  const int line = g_synth_lines++;
  if (line < kSynthLinesPerPlay) std::fprintf(stderr, "vorlask: the synthesizer: %s\n", message);
  if (line == kSynthLinesPerPlay) {
    std::fprintf(stderr, "vorlask: the synthesizer has more to say; the rest is left out\n");
  }
}

using SynthLogFunction = void (*)(int, const char*, void*);
using SetSynthLog = SynthLogFunction (*)(int, SynthLogFunction, void*);

void QuietenSynthesizer() {
  // The library SDL_mixer has loaded already; this only finds it.
  void* synth = SDL_LoadObject("libfluidsynth.so.3");
  if (synth == nullptr) return;
  auto set = reinterpret_cast<SetSynthLog>(SDL_LoadFunction(synth, "fluid_set_log_function"));
  if (set == nullptr) return;
  for (int level = 0; level <= 4; ++level)
    set(level, &SynthLog, nullptr);
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
      !Resolve(library, "Mix_LoadMUS_RW", mixer.LoadMUS_RW) ||
      !Resolve(library, "Mix_FreeMusic", mixer.FreeMusic) ||
      !Resolve(library, "Mix_PlayMusic", mixer.PlayMusic) ||
      !Resolve(library, "Mix_HaltMusic", mixer.HaltMusic) ||
      !Resolve(library, "Mix_HookMusicFinished", mixer.HookMusicFinished)) {
    error = std::string("SDL_mixer is incomplete: ") + SDL_GetError();
    SDL_UnloadObject(library);
    return nullptr;
  }
  Resolve(library, "Mix_HasMusicDecoder", mixer.HasMusicDecoder);
  QuietenSynthesizer();
  loaded = true;
  return &mixer;
}

// The words for a data file that could not be read, after "the music file X" or "the MIDI
// sound font X".
std::string NotRead(FileResult result, const std::string& reason) {
  switch (result) {
    case FileResult::kMissing:
      return " is missing";
    case FileResult::kNotAFile:
      return " is not a file: " + reason;
    case FileResult::kFolderUnreadable:
      return " cannot be read, because its folder cannot be read: " + reason;
    case FileResult::kDamaged:
      return " is damaged: " + reason;
    default:
      return " cannot be read: " + reason;
  }
}

// A SoundFont is a RIFF file of the form "sfbk"; FluidSynth reads it by name. Timidity's
// configuration, which the page and Windows use in its place, is left to Timidity, and so are
// the instruments it names, which Timidity opens by their names as it loads a tune.
bool IsSoundFont(const std::string& name) {
  std::string end = name.substr(name.size() - std::min<std::size_t>(4, name.size()));
  for (char& c : end)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == ".sf2" || end == ".sf3";
}

std::string SoundFontProblem(const HeldDataFile& held) {
  const std::vector<unsigned char>& h = held.head;
  if (h.size() < 12 || std::memcmp(h.data(), "RIFF", 4) != 0 ||
      std::memcmp(h.data() + 8, "sfbk", 4) != 0) {
    return "it is not a SoundFont";
  }
  const std::uint64_t riff =
      h[4] | (std::uint64_t{h[5]} << 8) | (std::uint64_t{h[6]} << 16) | (std::uint64_t{h[7]} << 24);
  if (riff + 8 != held.size) {
    return "its header gives it " + std::to_string(riff + 8) + " bytes where the file holds " +
           std::to_string(held.size);
  }
  return {};
}

// Timidity reads its configuration a byte at a time as the audio opens, on the window's thread;
// one that names a whole General MIDI set takes a few hundred kB, and a megabyte is read in a
// few hundredths of a second.
constexpr std::uint64_t kMaxTimidityCfgBytes = 1024 * 1024;

std::string ConfigurationProblem(const HeldDataFile& held) {
  if (held.size <= kMaxTimidityCfgBytes) return {};
  return "it is " + std::to_string(held.size) + " bytes long, where the game reads at most " +
         std::to_string(kMaxTimidityCfgBytes);
}

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

std::vector<std::string> SoundFontCandidates() {
  std::vector<std::string> fonts;
  if (const char* chosen = SDL_getenv("SDL_SOUNDFONTS"); chosen != nullptr) {
    std::string list = chosen;
    // Parted as SDL_mixer parts it: where a drive's letter ends in ':', by ';' alone.
    const char* separators = std::filesystem::path::preferred_separator == '/' ? ":;" : ";";
    std::size_t at = 0;
    while (at <= list.size()) {
      const std::size_t end = std::min(list.find_first_of(separators, at), list.size());
      if (end > at) fonts.push_back(list.substr(at, end - at));
      at = end + 1;
    }
  }
  for (std::string& font : SoundFontFiles())
    fonts.push_back(std::move(font));
  return fonts;
}

SdlMediaPlayer::SdlMediaPlayer(std::vector<std::string> soundfonts)
    : soundfonts_(std::move(soundfonts)) {}

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
  ReleaseDataFile(held_soundfont_);
}

void SdlMediaPlayer::CloseAudio() {
  if (!audio_open_) return;
  mixer_->HookMusicFinished(nullptr);
  mixer_->HaltMusic();
  g_play_owes_notice = false;
  if (music_ != nullptr) mixer_->FreeMusic(music_);
  music_ = nullptr;
  tune_.reset();
  load_ = Load::kNone;
  mixer_->CloseAudio();
  mixer_->Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_open_ = false;
}

MediaPlayer::OpenResult SdlMediaPlayer::OpenSoundFont(std::string& error) {
  if (held_soundfont_.handle >= 0) return OpenResult::kOpened;
  std::string reason;
  FileResult result = FileResult::kMissing;
  for (const std::string& font : soundfonts_) {
    result = HoldDataFile(font, 12, held_soundfont_, reason);
    if (result != FileResult::kMissing && result != FileResult::kNotAFile) {
      soundfont_ = font;
      break;
    }
  }
  if (soundfont_.empty()) {
    soundfont_ = soundfonts_.empty() ? std::string("(none)") : soundfonts_.front();
    result = FileResult::kMissing;
  }
  if (result == FileResult::kLoaded) {
    reason = IsSoundFont(soundfont_) ? SoundFontProblem(held_soundfont_)
                                     : ConfigurationProblem(held_soundfont_);
    if (!reason.empty()) result = FileResult::kDamaged;
  }
  if (result != FileResult::kLoaded) {
    error = "the MIDI sound font " + soundfont_ + NotRead(result, reason);
    ReleaseDataFile(held_soundfont_);
    soundfont_.clear();
    return OpenResult::kMusicFailed;
  }
  return OpenResult::kOpened;
}

MediaPlayer::OpenResult SdlMediaPlayer::OpenAudio(std::string& error) {
  if (audio_open_) return OpenResult::kOpened;
  if (OpenSoundFont(error) != OpenResult::kOpened) return OpenResult::kMusicFailed;
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
  // FluidSynth reads the sound font by this name, which is the file checked above.
  const bool synthesized = IsSoundFont(soundfont_);
  mixer->SetSoundFonts(synthesized ? held_soundfont_.name.c_str() : soundfont_.c_str());
  if ((mixer->Init(MIX_INIT_MID) & MIX_INIT_MID) == 0) {
    error = std::string("MIDI playback is not available: ") + Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kMusicFailed;
  }
  if (mixer->OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    error = device_ + " cannot be opened: " + Mix_GetError();
    mixer->Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kMusicFailed;
  }
  // Timidity reads its configuration as the audio opens, and SDL_mixer leaves MIDI out of its
  // decoders when Timidity refuses it; every tune would then be blamed in turn for the fault.
  if (mixer->HasMusicDecoder != nullptr && mixer->HasMusicDecoder("MIDI") == SDL_FALSE) {
    error = "the synthesizer cannot load the MIDI sound font " + soundfont_;
    mixer->CloseAudio();
    mixer->Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kMusicFailed;
  }
  mixer->HookMusicFinished(&MusicFinished);
  mixer_ = mixer;
  audio_open_ = true;
  if (!loader_tried_) {
    loader_tried_ = true;
    loader_ = SDL_CreateThread(&SdlMediaPlayer::LoadTunes, "vorlask music", this);
  }
  return OpenResult::kOpened;
}

Mix_Music* SdlMediaPlayer::LoadTune(const std::vector<unsigned char>& tune, std::string& failure,
                                    bool& soundfont_failed) {
  g_soundfont_failed = false;
  SDL_RWops* source = SDL_RWFromConstMem(tune.data(), static_cast<int>(tune.size()));
  Mix_Music* music = source != nullptr ? mixer_->LoadMUS_RW(source, 1) : nullptr;
  if (music == nullptr) failure = Mix_GetError();
  // SDL_mixer plays on without the sound font the synthesizer could not load: in silence.
  soundfont_failed = g_soundfont_failed.exchange(false);
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
    const int open = player.wanted_;
    lock.unlock();
    std::string failure;
    bool soundfont_failed = false;
    Mix_Music* music = player.LoadTune(*tune, failure, soundfont_failed);
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
    failure_ = "the synthesizer cannot load the MIDI sound font " + soundfont_;
    if (play_wanted_) SettlePlayAs(PlayEnd::kMusicFailed);
    return;
  }
  load_ = Load::kFailed;
  load_failure_ = "the synthesizer cannot read the music file " + file_ + ": " + failure;
  if (play_wanted_) {
    // Told as a tune that ends at once, which the game reports as damaged and skips.
    std::fprintf(stderr, "vorlask: %s\n", AsShown(load_failure_).c_str());
    SettlePlay(false);
  }
}

MediaPlayer::OpenResult SdlMediaPlayer::Open(const std::string& file, std::string& error) {
  Close();
  std::vector<unsigned char> bytes;
  std::string reason;
  if (const FileResult read = ReadDataFile(file, kMaxTuneBytes, bytes, reason);
      read != FileResult::kLoaded) {
    error = "the music file " + file + NotRead(read, reason);
    return OpenResult::kFileFailed;
  }
  if (const std::string problem = TuneProblem(bytes.data(), bytes.size()); !problem.empty()) {
    error = "the music file " + file + " is damaged: " + problem;
    return OpenResult::kFileFailed;
  }
  if (OpenAudio(error) != OpenResult::kOpened) return OpenResult::kMusicFailed;
  g_synth_lines = 0;
  auto tune = std::make_shared<const std::vector<unsigned char>>(std::move(bytes));
  std::unique_lock<std::mutex> lock(mutex_);
  file_ = file;
  wanted_ = ++opens_;
  load_ = Load::kLoading;
  if (loader_ != nullptr) {
    pending_ = std::move(tune);
    lock.unlock();
    wake_.notify_all();
    return OpenResult::kOpened;
  }
  std::string failure;
  bool soundfont_failed = false;
  Mix_Music* music = LoadTune(*tune, failure, soundfont_failed);
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
  // Halting calls the hook, which settles the play; settle it here too in case the hook does
  // not run (or the play never started), so that the play reports its end exactly once.
  g_cutting_play = true;
  mixer_->HaltMusic();
  SettlePlay(true);
  g_cutting_play = false;
}

void SdlMediaPlayer::StartPlay() {
  g_play_started_ms = SDL_GetTicks64();
  if (mixer_->PlayMusic(music_, 0) != 0) {
    g_play_owes_notice = false;
    std::fprintf(stderr, "vorlask: cannot play %s: %s\n", AsShown(file_).c_str(), Mix_GetError());
  }
}

void SdlMediaPlayer::Play() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (load_ == Load::kNone) return;
  EndPlay();
  g_play_number = ++play_number_;
  g_play_started_ms = SDL_GetTicks64();
  g_play_owes_notice = true;
  switch (load_) {
    case Load::kLoaded:
      StartPlay();
      break;
    case Load::kLoading:
      play_wanted_ = true;
      break;
    case Load::kFailed:
      SettlePlay(false);
      break;
    case Load::kNoMusic:
      SettlePlayAs(PlayEnd::kMusicFailed);
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
  SettlePlayAs(PlayEnd::kMusicFailed);
  wanted_ = 0;
  pending_.reset();
  play_wanted_ = false;
  CloseAudio();
}

}  // namespace vorlask
