#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/checked_game.h"

namespace vorlask::testing {
namespace {

std::string Track(const Game& g, const char* name) {
  return g.form.StartDirectory + "/" + name;
}

// The music command (key S) switches the music on and off.
void MusicOn(Game& g) {
  ASSERT_EQ(g.form.MusicOn, 0);
  g.form.FormKeyDown(vk::kS);
  ASSERT_EQ(g.form.MusicOn, 1);
}

void MusicOff(Game& g) {
  ASSERT_EQ(g.form.MusicOn, 1);
  g.form.FormKeyDown(vk::kS);
  ASSERT_EQ(g.form.MusicOn, 0);
}

TEST(Music, FilesPlayInACycleEachStartedByTheEndOfTheLast) {
  Game g(false);
  FakeMediaPlayer& player = g.platform.media;
  MusicOn(g);
  for (int i = 0; i < 4; ++i) {
    player.FinishPlay();
    g.DeliverMusicNotifications();
  }
  EXPECT_EQ(player.opened,
            (std::vector<std::string>{Track(g, "entrtanr.mid"), Track(g, "hellomyb.mid"),
                                      Track(g, "maplerag.mid"), Track(g, "entrtanr.mid"),
                                      Track(g, "hellomyb.mid")}));
  EXPECT_TRUE(player.playing);
  EXPECT_EQ(g.form.TrackNumber, 3);
  EXPECT_TRUE(g.platform.errors.empty());
}

TEST(Music, OffStopsAtOnceAndOnAgainGoesOnWithTheNextFile) {
  Game g(false);
  FakeMediaPlayer& player = g.platform.media;
  MusicOn(g);
  MusicOff(g);
  EXPECT_FALSE(player.playing);
  // The stopped play's end starts nothing.
  g.DeliverMusicNotifications();
  EXPECT_FALSE(player.playing);
  EXPECT_EQ(player.opened.size(), 1u);
  EXPECT_EQ(g.form.NotifyArmed, 1);

  MusicOn(g);
  g.DeliverMusicNotifications();
  ASSERT_EQ(player.opened.size(), 2u);
  EXPECT_EQ(player.opened[1], Track(g, "hellomyb.mid"));
  EXPECT_EQ(player.log.back(), "play");
}

TEST(Music, ANewGameMovesOnOneFileAndTheCutPlaySkipsNothing) {
  Game g(false);
  FakeMediaPlayer& player = g.platform.media;
  MusicOn(g);
  g.form.wolf0();
  EXPECT_EQ(g.form.NotifyArmed, 0);
  g.DeliverMusicNotifications();  // the end of the cut first file
  EXPECT_EQ(g.form.NotifyArmed, 1);
  ASSERT_EQ(player.opened.size(), 2u);
  EXPECT_EQ(player.opened[1], Track(g, "hellomyb.mid"));
  // The new file's own end moves the cycle on as usual.
  player.FinishPlay();
  g.DeliverMusicNotifications();
  ASSERT_EQ(player.opened.size(), 3u);
  EXPECT_EQ(player.opened[2], Track(g, "maplerag.mid"));
}

TEST(Music, ANewGameWithMusicOffLeavesThePlayerAlone) {
  Game g(false);
  g.form.wolf0();
  EXPECT_TRUE(g.platform.media.log.empty());
  EXPECT_EQ(g.form.TrackNumber, 1);
}

TEST(Music, AFileThatCannotBeOpenedIsReportedAndTriedAgainNextTime) {
  Game g(false);
  FakeMediaPlayer& player = g.platform.media;
  player.fail_open = true;
  MusicOn(g);
  ASSERT_EQ(g.platform.errors.size(), 1u);
  EXPECT_NE(g.platform.errors[0].find(Track(g, "entrtanr.mid")), std::string::npos);
  EXPECT_NE(g.platform.errors[0].find("the device cannot open"), std::string::npos);
  EXPECT_EQ(g.form.TrackNumber, 1);
  EXPECT_EQ(g.form.NotifyArmed, 1);
  EXPECT_EQ(g.form.MusicOn, 1);
  EXPECT_EQ(player.log.back(), "open " + Track(g, "entrtanr.mid"));

  player.fail_open = false;
  g.form.wolf0();
  g.DeliverMusicNotifications();
  ASSERT_EQ(player.opened.size(), 1u);
  EXPECT_EQ(player.opened[0], Track(g, "entrtanr.mid"));
  EXPECT_EQ(g.form.TrackNumber, 2);
}

// Without a sound font or an audio device no file can play: the person is told once, the Music
// box is cleared, and neither a new game nor the music's notifications try again; the music
// command does. The same when the device fails during a play.
TEST(Music, AFailedSoundFontOrDeviceIsToldOnceAndClearsTheMusicBox) {
  CheckedGame g(false);
  FakeMediaPlayer& player = g.platform.media;
  player.fail_music = true;
  g.Key(vk::kS);
  player.fail_music = false;
  const auto cleared = [&](std::size_t errors) {
    EXPECT_EQ(g.form.MusicOn, 0);
    EXPECT_TRUE(g.Shows(g.form.BlankMark, 472, 396));
    ASSERT_EQ(g.platform.errors.size(), errors);
    EXPECT_NE(g.platform.errors.back().find("cannot play music: the fake"), std::string::npos);
    const std::size_t opens = player.log.size();
    g.form.wolf0();
    g.DeliverMusicNotifications();
    EXPECT_EQ(player.log.size(), opens);
    EXPECT_EQ(g.platform.errors.size(), errors);
  };
  cleared(1);
  g.Key(vk::kS);
  ASSERT_TRUE(player.playing);
  player.FailPlay();
  g.DeliverMusicNotifications();
  cleared(2);
}

// Music that cannot play costs the music only: a new game in which the computer wolf opens
// still gets its opening move.
TEST(Music, AFailedOpenDuringANewGameLetsTheGameGoOn) {
  Game g(false);
  MusicOn(g);
  g.platform.media.fail_open = true;
  g.form.ModeOption = 3;
  g.form.wolf0();
  EXPECT_EQ(g.platform.errors.size(), 1u);
  EXPECT_EQ(g.form.TrackNumber, 2);
  EXPECT_TRUE(g.platform.timer.Enabled());
  EXPECT_EQ(g.form.TimerAction, 1u);
  EXPECT_EQ(g.form.NotifyArmed, 0);
}

// Input and the end of a play race in the window's one queue: a notification of a cut play
// arrives behind whatever input was queued before it. Whatever the order, each input starts
// at most its one file, and the cycle goes on by the next file's own end.
TEST(Music, NotificationsBehindQueuedInputStartNoExtraFile) {
  struct Case {
    const char* name;
    std::function<void(Game&)> queue;
    std::size_t opens;
  };
  const Case cases[] = {
      {"off and on queued together",
       [](Game& g) {
         g.QueueKey(vk::kS);
         g.QueueKey(vk::kS);
       },
       2},
      {"the play runs out between off and on",
       [](Game& g) {
         g.QueueKey(vk::kS);
         g.platform.media.FinishPlay();
         g.QueueKey(vk::kS);
       },
       2},
      {"the play runs out before off and on",
       [](Game& g) {
         g.platform.media.FinishPlay();
         g.QueueKey(vk::kS);
         g.QueueKey(vk::kS);
       },
       3},
      {"a new game, then off and on",
       [](Game& g) {
         g.QueueKey(vk::kT);
         g.QueueKey(vk::kS);
         g.QueueKey(vk::kS);
       },
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Game g(false);
    g.UseEventQueue();
    FakeMediaPlayer& player = g.platform.media;
    MusicOn(g);
    c.queue(g);
    EXPECT_LT(g.RunQueue(), 20) << "the music restarts itself";
    EXPECT_EQ(player.opened.size(), c.opens);
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(g.form.MusicOn, 1);
    // The file now playing moves the cycle on by one when it runs out, and only then.
    player.FinishPlay();
    g.RunQueue();
    EXPECT_EQ(player.opened.size(), c.opens + 1);
    EXPECT_TRUE(player.playing);
  }
}

TEST(Music, ATuneThatEndsAtOnceIsReportedOnceAndSkipped) {
  Game g(false);
  FakeMediaPlayer& player = g.platform.media;
  MusicOn(g);
  for (const bool at_once : {true, false, false, true, false}) {
    player.FinishPlay(at_once);
    g.DeliverMusicNotifications();
  }
  ASSERT_EQ(g.platform.errors.size(), 1u);
  EXPECT_NE(g.platform.errors[0].find(Track(g, "entrtanr.mid")), std::string::npos);
  EXPECT_NE(g.platform.errors[0].find("ended as soon as it started"), std::string::npos);
  EXPECT_EQ(player.opened.size(), 6u);
  EXPECT_TRUE(player.playing);
}

TEST(Music, WhenEveryTuneEndsAtOnceTheCycleStopsUntilMusicIsSwitchedOnAgain) {
  Game g(false);
  FakeMediaPlayer& player = g.platform.media;
  MusicOn(g);
  // One good end between quick ones: not every file failed in a row.
  for (const bool at_once : {true, true, false, true, true}) {
    player.FinishPlay(at_once);
    g.DeliverMusicNotifications();
  }
  EXPECT_TRUE(player.playing);
  EXPECT_EQ(g.form.MusicStalled, 0);
  player.FinishPlay(true);
  g.DeliverMusicNotifications();
  EXPECT_EQ(g.form.MusicStalled, 1);
  EXPECT_FALSE(player.playing);
  const std::size_t opens = player.opened.size();
  const std::size_t errors = g.platform.errors.size();
  EXPECT_NE(g.platform.errors.back().find("every music file"), std::string::npos);
  // Nothing starts it again but the music command: not a new game, not a stray notification.
  g.form.wolf0();
  g.form.MediaPlayer1Notify();
  EXPECT_EQ(player.opened.size(), opens);
  EXPECT_EQ(g.platform.errors.size(), errors);
  MusicOff(g);
  MusicOn(g);
  EXPECT_EQ(player.opened.size(), opens + 1);
  EXPECT_TRUE(player.playing);
}

}  // namespace
}  // namespace vorlask::testing
