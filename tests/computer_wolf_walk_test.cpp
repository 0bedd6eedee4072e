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

void WalkFrom(int layout) {
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
            << walk.wolf_free() << " games won by the wolf\n";
  // Only the whole walk is sure to meet both results.
  if (kPositionLimit == SIZE_MAX) {
    EXPECT_GT(walk.wolf_caught(), 0);
    EXPECT_GT(walk.wolf_free(), 0);
  }
  for (std::size_t s = 0; s < wolf::kStageCount; ++s)
    EXPECT_GT(stages[s], 0) << wolf::kStageNames[s];
}

// One test per start layout, so that the two walks can run side by side.
TEST(ComputerWolfWalk, EveryHunterPlayFromTheFirstLayoutEnds) {
  WalkFrom(1);
}
TEST(ComputerWolfWalk, EveryHunterPlayFromTheSecondLayoutEnds) {
  WalkFrom(2);
}

}  // namespace
}  // namespace vorlask::testing
