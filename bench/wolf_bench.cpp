#include <benchmark/benchmark.h>

#include <array>

#include "support/fake_platform.h"
#include "support/wolf_positions.h"

namespace vorlask::testing {
namespace {

struct WolfPosition {
  std::array<Square, 4> hunters;
  Square wolf;
};

// Which stage moves the wolf: the book's second entry, the breakthrough search after all 79
// entries failed, and the fallback step after both failed.
const std::array<WolfPosition, 3> kPositions = {{
    {{{{9, 2}, {9, 4}, {9, 6}, {9, 8}}}, {7, 4}},
    {{{{9, 2}, {9, 4}, {8, 7}, {9, 8}}}, {6, 5}},
    {{{{9, 2}, {9, 4}, {9, 6}, {9, 8}}}, {5, 4}},
}};

// One whole turn of the computer wolf: the choice, the move and the redraw of the pieces; with
// blank_tiles the redraw draws nothing, which leaves the cost of the choice.
void RunWolfb(benchmark::State& state, bool blank_tiles) {
  Game g(false);
  if (blank_tiles) {
    for (Image& tile : g.form.ImageList1)
      tile = Image{};
  }
  const WolfPosition& p = kPositions[static_cast<std::size_t>(state.range(0))];
  SetPosition(g.form, {}, p.wolf);
  for (const Square& h : p.hunters)
    g.form.Board.Set(h.first, h.second, '2');
  const TBoard start = g.form.Board;
  for (auto _ : state) {
    g.form.Board = start;
    g.form.WolfRow = static_cast<std::uint8_t>(p.wolf.first);
    g.form.WolfCol = static_cast<std::uint8_t>(p.wolf.second);
    g.form.wolfb();
    benchmark::DoNotOptimize(g.form.WolfRow);
  }
}
void BM_Wolfb(benchmark::State& state) {
  RunWolfb(state, false);
}
void BM_WolfbWithoutPictures(benchmark::State& state) {
  RunWolfb(state, true);
}
BENCHMARK(BM_Wolfb)->DenseRange(0, 2);
BENCHMARK(BM_WolfbWithoutPictures)->DenseRange(0, 2);

}  // namespace
}  // namespace vorlask::testing
