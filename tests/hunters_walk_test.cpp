#include <gtest/gtest.h>

#include <array>
#include <iostream>

#include "ai/hunter_patterns.h"
#include "support/fake_platform.h"
#include "support/hunters_walk.h"

namespace vorlask::testing {
namespace {

TEST(HuntersCompleteness, EveryWolfPlayFromEitherStartEndsWithTheWolfCaught) {
  std::array<int, kHunterPatternCount + 1> uses{};
  struct Expected {
    int layout;
    std::size_t positions;
    int caught;
  };
  for (const auto& [layout, positions, caught] : {Expected{1, 276, 15}, Expected{2, 269, 12}}) {
    Game g(false);
    g.form.StartOption = static_cast<std::uint8_t>(layout);
    g.form.wolf0();
    hunters::Walk walk(g);
    walk.From(g.form.Board);
    ASSERT_EQ(walk.failure(), "") << "layout " << layout;
    std::cout << "[ walk     ] layout " << layout << ": " << walk.positions()
              << " positions with the wolf to move, " << walk.games_caught()
              << " endings with the wolf caught, " << walk.passes() << " passes\n";
    EXPECT_EQ(walk.positions(), positions) << "layout " << layout;
    EXPECT_EQ(walk.games_caught(), caught) << "layout " << layout;
    EXPECT_EQ(walk.passes(), 0) << "layout " << layout;
    for (std::size_t e = 1; e <= kHunterPatternCount; ++e) {
      uses[e] += walk.entry_uses()[e];
    }
  }
  for (std::size_t e = 1; e <= kHunterPatternCount; ++e) {
    EXPECT_GT(uses[e], 0) << "entry " << e << " is never used";
  }
}

}  // namespace
}  // namespace vorlask::testing
