#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

#include "ai/hunter_patterns.h"
#include "ai/hunters.h"
#include "support/fake_platform.h"
#include "support/hunters_walk.h"

namespace vorlask::testing {
namespace {

using Square = std::pair<int, int>;

struct BenchPosition {
  std::vector<Square> hunters;
  Square wolf;
};

// The opening reply (the first entry fits at once), a formation met late in the table (entry 34,
// after 66 attempts) and one the table does not know (all 70 attempts fail).
const std::vector<BenchPosition> kPositions = {
    {{{9, 2}, {9, 4}, {9, 6}, {9, 8}}, {8, 3}},
    {{{8, 3}, {8, 5}, {8, 7}, {7, 6}}, {5, 4}},
    {{{9, 2}, {9, 4}, {9, 6}, {7, 8}}, {5, 4}},
};

void SetPosition(TForm3& f, const BenchPosition& p) {
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c)
      f.Board.Set(r, c, IsDarkSquare(r, c) ? '0' : '1');
  }
  for (const auto& [r, c] : p.hunters)
    f.Board.Set(r, c, '2');
  f.Board.Set(p.wolf.first, p.wolf.second, '3');
  f.WolfRow = static_cast<std::uint8_t>(p.wolf.first);
  f.WolfCol = static_cast<std::uint8_t>(p.wolf.second);
}

// A whole call of wolfa: the lookup, the move and the redraw of the board.
void BM_Wolfa(benchmark::State& state) {
  Game g(false);
  SetPosition(g.form, kPositions[static_cast<std::size_t>(state.range(0))]);
  const TBoard start = g.form.Board;
  for (auto _ : state) {
    g.form.Board = start;
    g.form.TurnState = 0;
    g.form.wolfa();
    benchmark::DoNotOptimize(g.form.TurnState);
  }
}
BENCHMARK(BM_Wolfa)->DenseRange(0, 2);

// The choice alone, without changing or drawing the board.
void BM_ChooseHunterMove(benchmark::State& state) {
  Game g(false);
  SetPosition(g.form, kPositions[static_cast<std::size_t>(state.range(0))]);
  const TBoard board = g.form.Board;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChooseHunterMove(board));
  }
}
BENCHMARK(BM_ChooseHunterMove)->DenseRange(0, 2);

// Every line of wolf play from both start layouts, each wolf move made by two clicks through
// the window's handlers with the hunters answering.
void BM_CompletenessWalk(benchmark::State& state) {
  Game g(false);
  std::size_t positions = 0;
  for (auto _ : state) {
    positions = 0;
    for (const int layout : {1, 2}) {
      g.form.StartOption = static_cast<std::uint8_t>(layout);
      g.form.wolf0();
      hunters::Walk walk(g);
      walk.From(g.form.Board);
      if (!walk.failure().empty()) state.SkipWithError(walk.failure().c_str());
      positions += walk.positions();
    }
  }
  state.counters["positions"] = static_cast<double>(positions);
}
BENCHMARK(BM_CompletenessWalk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlask::testing
