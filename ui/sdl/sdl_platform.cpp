#include "ui/sdl/sdl_platform.h"

#include <SDL_mixer.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "ui/sdl/bmp_file.h"
#include "ui/sdl/display_scale.h"
#include "ui/sdl/error_window.h"
#include "ui/sdl/keys.h"
#include "ui/tune_check.h"
#include "ui/upscale.h"

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
std::atomic<Uint32> g_music_end_event{0};
std::atomic<bool> g_play_owes_notice{false};
std::atomic<Sint32> g_play_number{0};
std::atomic<Uint64> g_play_started_ms{0};
std::atomic<bool> g_cutting_play{false};

// A play that runs out sooner than this after it started has played nothing audible.
constexpr Uint64 kQuickEndMs = 1000;

void PushLoopEvent(Uint32 type, Sint32 code,
                   MediaPlayer::PlayEnd end = MediaPlayer::PlayEnd::kCut) {
  SDL_Event event;
  SDL_zero(event);
  event.type = type;
  event.user.code = code;
  event.user.data1 = reinterpret_cast<void*>(static_cast<std::intptr_t>(end));
  SDL_PushEvent(&event);
}

void SettlePlay(bool cut) {
  if (!g_play_owes_notice.exchange(false)) return;
  MediaPlayer::PlayEnd end = MediaPlayer::PlayEnd::kCut;
  if (!cut) {
    const bool quick = SDL_GetTicks64() - g_play_started_ms.load() < kQuickEndMs;
    end = quick ? MediaPlayer::PlayEnd::kRanOutAtOnce : MediaPlayer::PlayEnd::kRanOut;
  }
  PushLoopEvent(g_music_end_event.load(), g_play_number.load(), end);
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

std::atomic<Uint32> g_timer_event{0};

// Runs on SDL's timer thread; the enabling's number travels in the parameter.
Uint32 TimerFired(Uint32, void* param) {
  PushLoopEvent(g_timer_event.load(), static_cast<Sint32>(reinterpret_cast<std::intptr_t>(param)));
  return 0;
}

std::string WithoutTrailingSeparator(const std::filesystem::path& p) {
  std::string s = p.lexically_normal().string();
  while (s.size() > 1 && s.back() == '/')
    s.pop_back();
  return s;
}

}  // namespace

LoopEvents RegisterLoopEvents() {
  const Uint32 first = SDL_RegisterEvents(2);
  LoopEvents events;
  if (first != static_cast<Uint32>(-1)) {
    events.timer = first;
    events.music_end = first + 1;
  }
  g_timer_event = events.timer;
  g_music_end_event = events.music_end;
  return events;
}

void ShowStartupError(const std::string& message, TextRenderer* text, int scale) {
  ReportError(message, text, scale, nullptr, {});
}

// ---- Timer ----

SdlTimer::~SdlTimer() {
  if (id_ != 0) SDL_RemoveTimer(id_);
}

void SdlTimer::Enable() {
  enabled_ = true;
  if (id_ != 0) return;
  ++arming_;
  id_ = SDL_AddTimer(kIntervalMs, &TimerFired,
                     reinterpret_cast<void*>(static_cast<std::intptr_t>(arming_)));
  if (id_ == 0) std::fprintf(stderr, "vorlask: the timer cannot start: %s\n", SDL_GetError());
}

void SdlTimer::Disable() {
  enabled_ = false;
  if (id_ != 0) SDL_RemoveTimer(id_);
  id_ = 0;
}

bool SdlTimer::TakeFiring(const SDL_UserEvent& event) {
  if (!enabled_ || id_ == 0 || event.code != arming_) return false;
  // The one-shot timer has run out: a later enabling arms it afresh.
  id_ = 0;
  return true;
}

// ---- Media player ----

std::string ChooseSoundFont(const std::vector<std::string>& candidates) {
  std::error_code ec;
  for (const std::string& file : candidates) {
    if (std::filesystem::is_regular_file(file, ec)) return file;
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
  if (!std::filesystem::is_regular_file(soundfont_, ec)) {
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
  if (!std::filesystem::exists(file, ec)) {
    error = "the music file " + file + " is missing";
    return false;
  }
  if (!std::filesystem::is_regular_file(file, ec)) {
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

// ---- Platform ----

SdlPlatform::SdlPlatform(TextRenderer& text)
    : events_(RegisterLoopEvents()),
      text_(text),
      canvas_(kClientWidth, kClientHeight, kOlive),
      timer_(),
      media_(ChooseSoundFont({VORLASK_SOUNDFONT_FILE, VORLASK_DEFAULT_SOUNDFONT_FILE})) {
  canvas_.SetTextRenderer(&text);
}

SdlPlatform::~SdlPlatform() {
  timer_.Disable();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool SdlPlatform::OpenWindow(std::string& error) {
  window_ = SDL_CreateWindow("Vorlask", 160, 14, kClientWidth, kClientHeight, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    error = std::string("the window cannot be created: ") + SDL_GetError();
    return false;
  }
  scale_ = ChooseScale(QueryScreenDensity(window_));
  if (scale_ > 1) SDL_SetWindowSize(window_, kClientWidth * scale_, kClientHeight * scale_);
  return true;
}

int SdlPlatform::Logical(int device) const {
  // Floor division: a release left of or above the window stays negative.
  return device >= 0 ? device / scale_ : -((-device + scale_ - 1) / scale_);
}

int SdlPlatform::Run(TForm3& form) {
  SDL_ShowWindow(window_);
  shown_ = true;
  while (!quit_) {
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 0) {
      std::fprintf(stderr, "vorlask: waiting for events failed: %s\n", SDL_GetError());
      return 1;
    }
    Dispatch(event, form);
  }
  return 0;
}

// Input and window events that an error window left behind when it closed.
bool SdlPlatform::ForOtherWindow(const SDL_Event& event) const {
  Uint32 id = 0;
  switch (event.type) {
    case SDL_WINDOWEVENT:
      id = event.window.windowID;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      id = event.key.windowID;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      id = event.button.windowID;
      break;
    default:
      return false;
  }
  return id != 0 && window_ != nullptr && id != SDL_GetWindowID(window_);
}

void SdlPlatform::Dispatch(const SDL_Event& event, TForm3& form) {
  if (ForOtherWindow(event)) return;
  switch (event.type) {
    case SDL_QUIT:
      quit_ = true;
      return;
    case SDL_WINDOWEVENT:
      // With a second window open SDL reports the close button as a window event only.
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        quit_ = true;
        return;
      }
      if (event.window.event != SDL_WINDOWEVENT_EXPOSED) return;
      // A repaint starts from the window's background colour, as the window system's does.
      canvas_.Clear(kOlive);
      form.FormPaint();
      break;
    case SDL_KEYDOWN:
      form.FormKeyDown(VirtualKeyCode(event.key.keysym.sym, event.key.keysym.scancode));
      break;
    case SDL_MOUSEBUTTONUP: {
      MouseButton button = MouseButton::kOther;
      if (event.button.button == SDL_BUTTON_LEFT) button = MouseButton::kLeft;
      if (event.button.button == SDL_BUTTON_RIGHT) button = MouseButton::kRight;
      if (event.button.button == SDL_BUTTON_MIDDLE) button = MouseButton::kMiddle;
      form.FormMouseUp(button, Logical(event.button.x), Logical(event.button.y));
      break;
    }
    default:
      if (event.type == events_.timer && events_.timer != 0) {
        if (!timer_.TakeFiring(event.user)) return;
        form.Timer1Timer();
        break;
      }
      if (event.type == events_.music_end && events_.music_end != 0) {
        media_.TakeNotice(event.user);
        form.MediaPlayer1Notify();
        break;
      }
      return;
  }
  Present();
}

void SdlPlatform::Present() {
  if (window_ == nullptr || !shown_) return;
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (target == nullptr) return;
  const Image& picture = canvas_.Picture();
  const std::uint32_t* pixels = picture.pixels.data();
  int width = picture.width;
  int height = picture.height;
  if (scale_ > 1) {
    Upscale(picture, scale_, scaled_);
    pixels = scaled_.data();
    width *= scale_;
    height *= scale_;
  }
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (source != nullptr) {
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
  }
  SDL_UpdateWindowSurface(window_);
  last_present_ = SDL_GetTicks64();
}

void SdlPlatform::KeepAlive() {
  // Long handlers call this often; asking the window system more than every few
  // milliseconds would only slow them down.
  const Uint64 now = SDL_GetTicks64();
  if (now - last_keep_alive_ < 10) return;
  last_keep_alive_ = now;
  SDL_PumpEvents();
  // Drawing is immediate: what a long handler has drawn so far shows while it runs.
  if (now - last_present_ >= 40) Present();
}

int SdlPlatform::ClockSecond() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return 0;
  // A leap second reads as the last ordinary one.
  return local.tm_sec > 59 ? 59 : local.tm_sec;
}

double SdlPlatform::RandomUniform() {
  random_.seed(static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  // 53 random bits make a double in [0, 1) that can never round up to 1.
  return static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

std::vector<std::string> SdlPlatform::DataFolders() {
  return VorlaskDataFolders();
}

std::map<std::string, Image> PrefetchBitmaps() {
  std::map<std::string, Image> bitmaps;
  std::error_code ec;
  for (const std::string& folder : VorlaskDataFolders()) {
    if (!std::filesystem::exists(std::filesystem::path(folder) / kBitmapFiles[0], ec)) continue;
    for (const char* name : kBitmapFiles) {
      const std::string path = (std::filesystem::path(folder) / name).string();
      Image image;
      std::string error;
      if (LoadBmpFile(path, image, error)) bitmaps.emplace(path, std::move(image));
    }
    break;
  }
  return bitmaps;
}

std::vector<std::string> VorlaskDataFolders() {
  std::vector<std::string> folders;
  auto add = [&folders](const std::filesystem::path& p) {
    const std::string s = WithoutTrailingSeparator(p);
    for (const std::string& f : folders) {
      if (f == s) return;
    }
    folders.push_back(s);
  };
  std::error_code ec;
  const std::filesystem::path cwd = std::filesystem::current_path(ec);
  if (!ec) add(cwd);
  std::filesystem::path exe_dir;
  if (char* base = SDL_GetBasePath(); base != nullptr) {
    exe_dir = base;
    SDL_free(base);
    add(exe_dir);
  }
  add(VORLASK_INSTALLED_DATA_DIR);
  // An installation unpacked somewhere else keeps its data where it would be installed,
  // counted from the program's folder.
  if (!exe_dir.empty()) add(exe_dir / VORLASK_DATA_FROM_BIN);
  return folders;
}

bool SdlPlatform::FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

FileResult SdlPlatform::LoadBitmap(const std::string& path, Image& out, std::string& error) {
  if (auto it = prefetched_.find(path); it != prefetched_.end()) {
    out = std::move(it->second);
    prefetched_.erase(it);
    return FileResult::kLoaded;
  }
  return LoadDataBitmap(path, out, error);
}

void SdlPlatform::ShowError(const std::string& message) {
  // The error window is modal: what the person types or clicks in the game's window meanwhile
  // is dropped. The timer's and the music's events, and a request to close, are kept for the
  // game's loop, in their order, once the window has closed.
  std::vector<SDL_Event> later;
  ReportError(message, &text_, scale_, shown_ ? window_ : nullptr, [&](const SDL_Event& event) {
    switch (event.type) {
      case SDL_KEYDOWN:
      case SDL_KEYUP:
      case SDL_TEXTINPUT:
      case SDL_TEXTEDITING:
      case SDL_MOUSEMOTION:
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
      case SDL_MOUSEWHEEL:
        return;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
          Present();
          return;
        }
        break;
      default:
        break;
    }
    later.push_back(event);
  });
  for (SDL_Event& event : later)
    SDL_PushEvent(&event);
}

void SdlPlatform::Quit() {
  quit_ = true;
  if (window_ != nullptr && shown_) SDL_HideWindow(window_);
  shown_ = false;
}

}  // namespace vorlask
