// A long run of random input against the headless game: keys, clicks anywhere (also far outside
// the window), the timer and the music notifications, in every mode and layout. After every
// event the position must still be a legal one. The run is reproducible from its seed:
//   VORLASK_SOAK_SEED=<seed> VORLASK_SOAK_EVENTS=<count> vorlask_tests --gtest_filter='Soak*'
// The first shards run fixed seeds and the last a new one each run; each shard prints its seed
// (given one, shard n runs that seed + n instead); a failure lists the latest events.
// The first program of a run draws real pixels for a while, so the drawing code is soaked as
// well; after that the programs draw on a canvas that keeps no pixels, so that a million events
// fit into the time of a sanitizer build.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "support/fake_platform.h"
#include "support/soak_platform.h"

namespace vorlask::testing {
namespace {

constexpr int kShards = 4;
constexpr long kDefaultEventsPerShard = 250'000;
// How many of the latest events a failure report lists.
constexpr std::size_t kTrailLength = 400;
// An animated move busy-waits through 53 frames, so animation is switched off again soon.
constexpr int kAnimationBudget = 25;
// How long the first program draws real pixels before it is replaced.
constexpr long kRealPixelEvents = 3000;
// More music notifications than this after one event mean they never settle.
constexpr int kNotificationLimit = 16;
// The shards that run the same events on every run, so that two runs of one commit agree; the
// last shard draws a new seed each time and prints it, to find what the fixed ones miss.
constexpr std::array<std::uint64_t, kShards - 1> kFixedSeeds = {20261208, 1299709, 7919};

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  return std::strtol(text, nullptr, 10);
}

// What must hold after every event, beyond the Board's own invariant.
// The Board's check is only repeated when the Board has changed since it last passed.
std::string CheckState(const TForm3& f, TBoard& last_good) {
  if (!(f.Board == last_good)) {
    std::string problem = CheckBoard(f.Board);
    if (!problem.empty()) return problem;
    last_good = f.Board;
  }
  const char wolf = f.Board.At(f.WolfRow, f.WolfCol);
  if (wolf != '3' && wolf != '5') {
    return "WolfRow/WolfCol (" + std::to_string(f.WolfRow) + ", " + std::to_string(f.WolfCol) +
           ") hold '" + std::string(1, wolf) + "', not the wolf";
  }
  if (f.CursorRow < 2 || f.CursorRow > 9 || f.CursorCol < 2 || f.CursorCol > 9) {
    return "cursor off the field at (" + std::to_string(f.CursorRow) + ", " +
           std::to_string(f.CursorCol) + ")";
  }
  if (f.TurnState > 3) return "TurnState " + std::to_string(f.TurnState);
  if (f.GameMode > 2) return "GameMode " + std::to_string(f.GameMode);
  if (f.ModeOption < 1 || f.ModeOption > 3) return "ModeOption " + std::to_string(f.ModeOption);
  if (f.StartOption < 1 || f.StartOption > 2) return "StartOption " + std::to_string(f.StartOption);
  if (f.TrackNumber < 1 || f.TrackNumber > 3) return "TrackNumber " + std::to_string(f.TrackNumber);
  if (f.GameActive > 1) return "GameActive " + std::to_string(f.GameActive);
  return {};
}

class Soak {
 public:
  explicit Soak(std::uint64_t seed) : rng_(seed) { Start(); }

  // Runs the events; returns an empty text or the description of the first failure.
  std::string Run(long events) {
    for (long i = 0; i < events; ++i) {
      Step();
      if (music_stuck_) {
        return Report(i, "still waiting for the music notifications to settle after " +
                             std::to_string(kNotificationLimit) +
                             " deliveries: each notification leads to another");
      }
      if (std::string problem = CheckState(*form_, last_good_); !problem.empty())
        return Report(i, problem);
      if (platform_->quit_requested || (real_pixels_ && i == kRealPixelEvents)) {
        if (platform_->quit_requested) ++quits_;
        Start();
        if (std::string problem = CheckState(*form_, last_good_); !problem.empty())
          return Report(i, problem);
      }
    }
    return {};
  }

  std::string Summary() const {
    std::ostringstream out;
    out << "quits " << quits_ << ", games finished " << games_finished_ << " (wolf caught "
        << wolf_caught_ << ", wolf free " << wolf_free_ << ")"
        << ", events per mode/layout:";
    for (int m = 0; m < 3; ++m)
      for (int l = 0; l < 2; ++l)
        out << " [" << m << "/" << l + 1 << "] " << coverage_[m][l];
    return out.str();
  }
  long Coverage(int mode, int layout) const { return coverage_[mode][layout]; }
  long GamesFinished() const { return games_finished_; }
  long WolfCaught() const { return wolf_caught_; }
  long WolfFree() const { return wolf_free_; }

 private:
  // A new program: what the window system does at start-up, with a clock that makes the speed
  // measurement of the first paint end at once, so that animated moves wait as little as can be.
  void Start() {
    form_.reset();
    platform_ = std::make_unique<SoakPlatform>();
    FakePlatform* p = platform_.get();
    p->clock = [p] { return p->clock_reads++ % 60; };
    real_pixels_ = forms_++ == 0;
    if (!real_pixels_) p->canvas = std::make_unique<NullCanvas>();
    form_ = std::make_unique<TForm3>(*platform_);
    trail_.clear();
    Note({Event::kStart, real_pixels_ ? 1 : 0});
    if (!form_->FormCreate()) {
      ADD_FAILURE() << "FormCreate failed: "
                    << (p->errors.empty() ? std::string("no message") : p->errors.back());
      std::abort();
    }
    form_->FormPaint();
    animation_events_ = 0;
  }

  void Note(Event event) {
    if (trail_.size() == kTrailLength) trail_.pop_front();
    trail_.push_back(event);
  }

  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }

  std::uint16_t PickKey() {
    // The keys that mean something, weighted towards moving pieces. N is left to the uniform
    // keys and the start box: new games any more often would end games before their end.
    struct Weighted {
      std::uint16_t key;
      int weight;
    };
    static constexpr std::array<Weighted, 12> kKeys = {{{vk::kEnter, 30},
                                                        {vk::kLeft, 12},
                                                        {vk::kUp, 12},
                                                        {vk::kRight, 12},
                                                        {vk::kDown, 12},
                                                        {vk::k1, 2},
                                                        {vk::k2, 2},
                                                        {vk::kA, 1},
                                                        {vk::kH, 2},
                                                        {vk::kP, 2},
                                                        {vk::kS, 2},
                                                        {vk::kT, 2}}};
    // Any key at all, now and then. Esc ends the program, and a new program costs as much as
    // thousands of events, so most Esc presses are turned into Enter.
    if (Chance(0.05)) {
      const auto key = static_cast<std::uint16_t>(Uniform(0, 255));
      return key == vk::kEscape && Chance(0.75) ? vk::kEnter : key;
    }
    int total = 0;
    for (const Weighted& w : kKeys)
      total += w.weight;
    int pick = Uniform(0, total - 1);
    for (const Weighted& w : kKeys) {
      if (pick < w.weight) return w.key;
      pick -= w.weight;
    }
    return vk::kEnter;
  }

  // A square of a piece of the side to move, or next to the piece picked up.
  void PlayerSquare(int& row, int& col) {
    const TForm3& f = *form_;
    const char wanted = f.TurnState == 0 ? '2' : f.TurnState == 2 ? '4' : '5';
    if (f.TurnState == 3 || f.TurnState == 1) {
      row = f.WolfRow;
      col = f.WolfCol;
    } else {
      // One of the hunters at random, or the one picked up.
      const int pick = wanted == '4' ? 0 : Uniform(0, 3);
      int seen = 0;
      row = f.WolfRow;
      col = f.WolfCol;
      for (int r = 2; r <= 9; ++r) {
        for (int c = 2; c <= 9; ++c) {
          const char code = f.Board.At(r, c);
          if ((code == wanted || (wanted == '2' && code == '4')) && seen++ == pick) {
            row = r;
            col = c;
          }
        }
      }
    }
    if (f.TurnState == 1 || f.TurnState == 2 || Chance(0.1)) {
      row += f.TurnState == 2 || Chance(0.5) ? -1 : 1;
      col += Chance(0.5) ? 1 : -1;
    }
  }

  void PickClick(int& x, int& y) {
    const int where = Uniform(0, 99);
    if (where < 45) {
      // What a player would click: the piece whose turn it is, or a square it may move to,
      // so that games are played to their end.
      int row = 0;
      int col = 0;
      PlayerSquare(row, col);
      x = TForm3::SquareX(col) + Uniform(0, 52);
      y = TForm3::SquareY(row) + Uniform(0, 52);
    } else if (where < 65) {
      // On or around a square, the border rows and columns included.
      x = TForm3::SquareX(Uniform(1, 10)) + Uniform(-2, 55);
      y = TForm3::SquareY(Uniform(1, 10)) + Uniform(-2, 55);
    } else if (where < 77) {
      // The side panel and its edges.
      x = Uniform(440, 620);
      y = Uniform(-5, 485);
    } else if (where < 95) {
      x = Uniform(0, kClientWidth - 1);
      y = Uniform(0, kClientHeight - 1);
    } else if (where < 99) {
      // A release after the button was pressed inside the window and dragged far away.
      x = Uniform(-40000, 40000);
      y = Uniform(-40000, 40000);
    } else {
      constexpr std::array<int, 6> kExtremes = {
          std::numeric_limits<int>::min(), -100000, -1, kClientWidth, 100000,
          std::numeric_limits<int>::max()};
      x = kExtremes[static_cast<std::size_t>(Uniform(0, 5))];
      y = kExtremes[static_cast<std::size_t>(Uniform(0, 5))];
    }
  }

  // One event, then the notifications it leaves owing, then the tallies.
  void Step() {
    // The random numbers the computer wolf draws.
    while (platform_->random_values.size() < 4) {
      platform_->random_values.push_back(std::uniform_real_distribution<double>(0.0, 1.0)(rng_));
    }
    if (form_->AnimateMoves == 1 && ++animation_events_ > kAnimationBudget) {
      Note({Event::kKey, vk::kA});
      form_->FormKeyDown(vk::kA);
      animation_events_ = 0;
    } else {
      RandomEvent();
    }
    if (DeliverNotifications()) Tally();
  }

  // A key, a click, a timer firing, the end of a play or the audio device coming or going.
  void RandomEvent() {
    FakePlatform& p = *platform_;
    TForm3& f = *form_;
    const int kind = Uniform(0, 99);
    if (kind < 45) {
      const std::uint16_t key = PickKey();
      Note({Event::kKey, key});
      f.FormKeyDown(key);
    } else if (kind < 85) {
      int x = 0;
      int y = 0;
      PickClick(x, y);
      MouseButton button = MouseButton::kLeft;
      if (Chance(0.00005)) {
        constexpr std::array<MouseButton, 3> kOthers = {MouseButton::kRight, MouseButton::kMiddle,
                                                        MouseButton::kOther};
        button = kOthers[static_cast<std::size_t>(Uniform(0, 2))];
      }
      Note({Event::kClick, static_cast<int>(button), x, y});
      f.FormMouseUp(button, x, y);
    } else if (kind < 97) {
      if (p.timer.Enabled()) {
        Note({Event::kTimer});
        f.Timer1Timer();
      }
    } else if (kind < 99) {
      Note({Event::kMusicEnds});
      p.media.FinishPlay();
    } else {
      p.media.fail_open = !p.media.fail_open;
      Note({Event::kDevice, p.media.fail_open ? 1 : 0});
    }
  }

  // The notifications owed for plays that ended come after the handler, as events. A few
  // settle any sequence; a notification that keeps owing the next would loop for ever: false.
  bool DeliverNotifications() {
    FakePlatform& p = *platform_;
    for (int delivered = 0; !p.quit_requested && p.media.pending_notifications > 0; ++delivered) {
      if (delivered == kNotificationLimit) {
        music_stuck_ = true;
        return false;
      }
      --p.media.pending_notifications;
      Note({Event::kNotify});
      form_->MediaPlayer1Notify();
    }
    return true;
  }

  // What the event leaves to count: the mode and layout played, and games that ended.
  void Tally() {
    const TForm3& f = *form_;
    // The messages of failed music starts would pile up over a long run.
    if (platform_->errors.size() > 16) platform_->errors.clear();
    ++coverage_[f.GameMode > 2 ? 0 : f.GameMode][f.StartOption == 2 ? 1 : 0];
    if (f.GameActive == 0 && was_active_) {
      ++games_finished_;
      if (f.MessageLine2 == kCaughtLine2) ++wolf_caught_;
      if (f.MessageLine2 == kFreeLine2) ++wolf_free_;
    }
    was_active_ = f.GameActive == 1;
  }

  std::string Report(long index, const std::string& problem) const {
    std::ostringstream out;
    out << "after event " << index << ": " << problem << "\nBoard:";
    for (int r = 1; r <= 10; ++r)
      out << "\n  " << form_->Board.Row(r);
    out << "\nGameMode " << int{form_->GameMode} << ", TurnState " << int{form_->TurnState}
        << ", wolf at (" << int{form_->WolfRow} << ", " << int{form_->WolfCol} << ")"
        << "\nThe latest events since the program started, oldest first:";
    for (const Event& e : trail_)
      out << "\n  " << e.Text();
    return out.str();
  }

  std::mt19937_64 rng_;
  std::unique_ptr<SoakPlatform> platform_;
  std::unique_ptr<TForm3> form_;
  std::deque<Event> trail_;
  TBoard last_good_;
  long forms_ = 0;
  bool real_pixels_ = false;
  int animation_events_ = 0;
  long quits_ = 0;
  long games_finished_ = 0;
  long wolf_caught_ = 0;
  long wolf_free_ = 0;
  bool was_active_ = true;
  bool music_stuck_ = false;
  std::array<std::array<long, 2>, 3> coverage_{};
};

class SoakShard : public ::testing::TestWithParam<int> {};

TEST_P(SoakShard, EveryEventLeavesALegalPosition) {
  const long given = EnvNumber("VORLASK_SOAK_SEED", -1);
  const auto shard = static_cast<std::size_t>(GetParam());
  std::uint64_t seed = 0;
  if (given >= 0) {
    seed = static_cast<std::uint64_t>(given) + shard;
  } else if (shard < kFixedSeeds.size()) {
    seed = kFixedSeeds[shard];
  } else {
    seed = static_cast<std::uint64_t>(std::random_device{}() & 0x7FFFFFFF);
  }
  const long events = EnvNumber("VORLASK_SOAK_EVENTS", kDefaultEventsPerShard);
  std::cout << "soak seed " << seed << " (VORLASK_SOAK_SEED=" << seed
            << " replays this shard as shard 0), " << events << " events" << std::endl;

  Soak soak(seed);
  const std::string failure = soak.Run(events);
  std::cout << soak.Summary() << std::endl;
  if (!failure.empty()) {
    FAIL() << "seed " << seed << ", " << failure << "\nReplay with VORLASK_SOAK_SEED=" << seed
           << " --gtest_filter='Soak/SoakShard.*/0'";
  }
  // The random input must reach every mode and layout and finish games, or the run proves little.
  if (events >= 100'000) {
    for (int m = 0; m < 3; ++m)
      for (int l = 0; l < 2; ++l)
        EXPECT_GT(soak.Coverage(m, l), 1000) << "mode " << m << " layout " << l + 1;
    EXPECT_GT(soak.GamesFinished(), 100);
    EXPECT_GT(soak.WolfCaught(), 0);
    EXPECT_GT(soak.WolfFree(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Soak, SoakShard, ::testing::Range(0, kShards));

}  // namespace
}  // namespace vorlask::testing
