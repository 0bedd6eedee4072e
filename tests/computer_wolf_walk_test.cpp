#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <iostream>

#include "support/fake_platform.h"
#include "support/wolf_walk.h"

namespace vorlask::testing {
namespace {

// Every position once takes some 20 s of CPU in an optimised build; the unoptimised build with
// the sanitizers explores the first positions of each start only.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kPositionLimit = 800;
#else
constexpr std::size_t kPositionLimit = SIZE_MAX;
#endif

// What the whole walk from one start layout meets. Every number is pinned: a change to the
// rules, to any book entry or to the wolf's later stages moves at least one of them.
struct Expected {
  std::size_t positions;
  long book, breakthrough, fallback;
  long caught, free;
  std::uint64_t book_fingerprint;
};

void WalkFrom(int layout, const Expected& want) {
  Game g(false);
  wolf::Walk walk(g, kPositionLimit);
  walk.FromStart(layout);
  ASSERT_EQ(walk.failure(), "");
  const auto& stages = walk.stage_moves();
  std::cout << "[ walk     ] layout " << layout << ": " << walk.positions()
            << " positions with the hunters to move, " << walk.random_branches()
            << " replies with the draws taken both ways, " << walk.turns() << " wolf turns ("
            << stages[wolf::kBook] << " book, " << stages[wolf::kBreakthrough] << " breakthrough, "
            << stages[wolf::kFallback] << " fallback), " << walk.passes()
            << " cycles with the hunters passing, " << walk.wolf_caught() << " games caught, "
            << walk.wolf_free() << " games won by the wolf; book fingerprint 0x" << std::hex
            << walk.book_fingerprint() << std::dec << "\n";
  // Only the whole walk has known totals; it meets every book entry that can fire (entry 10 is
  // never used).
  if (kPositionLimit == SIZE_MAX) {
    EXPECT_EQ(walk.positions(), want.positions);
    EXPECT_EQ(stages[wolf::kBook], want.book);
    EXPECT_EQ(stages[wolf::kBreakthrough], want.breakthrough);
    EXPECT_EQ(stages[wolf::kFallback], want.fallback);
    EXPECT_EQ(walk.wolf_caught(), want.caught);
    EXPECT_EQ(walk.wolf_free(), want.free);
    EXPECT_EQ(walk.book_fingerprint(), want.book_fingerprint)
        << std::hex << "0x" << walk.book_fingerprint();
  }
  for (std::size_t s = 0; s < wolf::kStageCount; ++s)
    EXPECT_GT(stages[s], 0) << wolf::kStageNames[s];
}

// One test per start layout, so that the two walks can run side by side.
TEST(ComputerWolfWalk, EveryHunterPlayFromTheFirstLayoutEnds) {
  WalkFrom(1, {31439, 1888, 141435, 3587, 260, 82529, 0x395c71e8b406ade8});
}
TEST(ComputerWolfWalk, EveryHunterPlayFromTheSecondLayoutEnds) {
  WalkFrom(2, {41216, 2420, 193986, 5756, 299, 101507, 0x90a10cacba449106});
}

}  // namespace
}  // namespace vorlask::testing
