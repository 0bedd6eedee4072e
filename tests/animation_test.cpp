#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/fake_platform.h"

namespace vorlask::testing {
namespace {

// Records every picture drawn and every star written, while still drawing the pixels.
class RecordingCanvas : public Canvas {
 public:
  struct Step {
    int x, y;
    const Image* image;  // nullptr for a star
  };
  RecordingCanvas() : Canvas(kClientWidth, kClientHeight, kOlive) {}
  void Draw(int x, int y, const Image& image) override {
    if (!in_text_) steps.push_back({x, y, &image});
    Canvas::Draw(x, y, image);
  }
  void TextOut(int x, int y, const std::string& utf8) override {
    if (utf8 == "*") steps.push_back({x, y, nullptr});
    in_text_ = true;
    Canvas::TextOut(x, y, utf8);
    in_text_ = false;
  }
  std::vector<Step> steps;

 private:
  bool in_text_ = false;
};

// A started game, first paint done, drawing on a recording canvas with a fixed DelayCount.
struct AnimatedGame {
  AnimatedGame() {
    auto rec = std::make_unique<RecordingCanvas>();
    canvas = rec.get();
    platform.canvas = std::move(rec);
    form = std::make_unique<TForm3>(platform);
    form->FormCreate();
    form->FormPaint();
    form->DelayCount = 2;
    canvas->steps.clear();
    platform.present_count = 0;
  }
  void Animate(int from_row, int from_col, int to_row, int to_col, int wolf) {
    form->AnimFromRow = static_cast<std::uint8_t>(from_row);
    form->AnimFromCol = static_cast<std::uint8_t>(from_col);
    form->AnimToRow = static_cast<std::uint8_t>(to_row);
    form->AnimToCol = static_cast<std::uint8_t>(to_col);
    form->AnimWolf = static_cast<std::uint8_t>(wolf);
    form->wolf3();
  }
  FakePlatform platform{false};
  RecordingCanvas* canvas = nullptr;
  std::unique_ptr<TForm3> form;
};

struct Point {
  int x, y;
  friend bool operator==(const Point&, const Point&) = default;
};

TEST(MoveAnimation, SlidesThePieceOverItsPatchFrameByFrame) {
  struct Case {
    const char* name;
    int from_row, from_col, to_row, to_col, wolf;
    bool rising;
    Point patch, first, last;
  };
  const Case cases[] = {
      {"hunter up-left", 9, 4, 8, 3, 0, false, {76, 347}, {128, 399}, {76, 347}},
      {"hunter up-right", 9, 4, 8, 5, 0, true, {130, 347}, {132, 399}, {184, 347}},
      {"wolf down-right", 6, 5, 7, 6, 1, false, {184, 239}, {186, 241}, {238, 293}},
      {"wolf down-left", 6, 5, 7, 4, 1, true, {130, 239}, {182, 241}, {130, 293}},
      {"wolf up-right", 7, 4, 6, 5, 1, true, {130, 239}, {132, 291}, {184, 239}},
      {"wolf up-left", 7, 4, 6, 3, 1, false, {76, 239}, {128, 291}, {76, 239}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AnimatedGame g;
    g.Animate(c.from_row, c.from_col, c.to_row, c.to_col, c.wolf);
    const TForm3& f = *g.form;
    const Image* patch = c.rising ? &f.RisingPatch : &f.FallingPatch;
    const Image* piece = &f.ImageList1[c.wolf == 1 ? 10 : 9];

    // Each frame: the patch, the piece one pixel further on, then DelayCount stars at (0, 0).
    const auto& steps = g.canvas->steps;
    ASSERT_EQ(steps.size(), 53u * 4u);
    for (int frame = 0; frame < 53; ++frame) {
      const auto* s = &steps[static_cast<std::size_t>(frame) * 4];
      EXPECT_EQ(s[0].image, patch);
      EXPECT_EQ((Point{s[0].x, s[0].y}), c.patch);
      EXPECT_EQ(s[1].image, piece);
      const int d = frame;  // pixels beyond the first frame's position
      const int sx = c.last.x > c.first.x ? 1 : -1;
      const int sy = c.last.y > c.first.y ? 1 : -1;
      EXPECT_EQ((Point{s[1].x, s[1].y}), (Point{c.first.x + sx * d, c.first.y + sy * d}));
      for (int k = 2; k < 4; ++k) {
        EXPECT_EQ(s[k].image, nullptr);
        EXPECT_EQ((Point{s[k].x, s[k].y}), (Point{0, 0}));
      }
    }
    EXPECT_EQ((Point{steps[52 * 4 + 1].x, steps[52 * 4 + 1].y}), c.last);
    // The piece ends exactly on its new square, and every frame reached the screen.
    EXPECT_EQ(c.last, (Point{TForm3::SquareX(c.to_col), TForm3::SquareY(c.to_row)}));
    EXPECT_EQ(g.platform.present_count, 53);
    EXPECT_EQ(f.AnimFrame, 53);
  }
}

// The real pictures: after the slide the old square shows the empty dark square and the new one
// the moving piece, with the board around them intact.
TEST(MoveAnimation, LeavesTheOldSquareEmptyAndThePieceOnTheNewOne) {
  AnimatedGame g;
  TForm3& f = *g.form;
  const Image before = g.platform.canvas->Picture();
  g.Animate(7, 4, 6, 5, 1);
  const Image& after = g.platform.canvas->Picture();
  const Image& dark = f.ImageList1[tile::kDark];
  const Image& wolf = f.ImageList1[tile::kMovingWolf];
  int old_square_diffs = 0, new_square_diffs = 0;
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const std::uint32_t p = after.At(TForm3::SquareX(4) + x, TForm3::SquareY(7) + y);
      if (p != (dark.At(x, y) | 0xFF000000u)) ++old_square_diffs;
      const std::uint32_t w = wolf.At(x, y);
      if ((w >> 24) != 0 &&
          after.At(TForm3::SquareX(5) + x, TForm3::SquareY(6) + y) != (w | 0xFF000000u)) {
        ++new_square_diffs;
      }
    }
  }
  EXPECT_EQ(old_square_diffs, 0);
  EXPECT_EQ(new_square_diffs, 0);
  // Squares outside the patch are untouched (a hunter on the bottom row, for one).
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const int px = TForm3::SquareX(2) + x, py = TForm3::SquareY(9) + y;
      ASSERT_EQ(after.At(px, py), before.At(px, py));
    }
  }
}

TEST(MoveAnimation, WaitsDelayCountStarsPerFrameAndStaysResponsive) {
  AnimatedGame g;
  g.form->DelayCount = 5000;
  g.Animate(9, 4, 8, 3, 0);
  int stars = 0;
  for (const auto& s : g.canvas->steps)
    stars += s.image == nullptr;
  EXPECT_EQ(stars, 53 * 5000);
  // The window system hears from the program during a long wait.
  EXPECT_GE(g.platform.keep_alive_count, 53 * 5000 / 4096);
}

// The squares a hunter left and reached between two Boards.
struct HunterMove {
  int from_row = 0, from_col = 0, to_row = 0, to_col = 0;
};
HunterMove FindHunterMove(const TBoard& before, const TBoard& after) {
  HunterMove m;
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c) {
      if (before.At(r, c) == '2' && after.At(r, c) == '0') m.from_row = r, m.from_col = c;
      if (before.At(r, c) == '0' && after.At(r, c) == '2') m.to_row = r, m.to_col = c;
    }
  }
  return m;
}

// A person's wolf move through the mouse, answered by the computer hunters: with the option on
// both moves slide, the wolf first; with it off nothing slides, yet the hunters' move is still
// recorded in the animation squares.
TEST(MoveAnimation, APersonsMoveAndTheComputersReplyBothSlide) {
  for (const bool animate : {true, false}) {
    SCOPED_TRACE(animate ? "animation on" : "animation off");
    AnimatedGame g;
    TForm3& f = *g.form;
    if (animate) f.FormKeyDown(vk::kA);
    ASSERT_EQ(f.AnimateMoves, animate ? 1 : 0);
    f.FormMouseUp(MouseButton::kLeft, TForm3::SquareX(4) + 26, TForm3::SquareY(7) + 26);
    const TBoard before = f.Board;
    g.canvas->steps.clear();
    f.FormMouseUp(MouseButton::kLeft, TForm3::SquareX(5) + 26, TForm3::SquareY(6) + 26);
    ASSERT_EQ(f.Board.At(6, 5), '3');
    const HunterMove h = FindHunterMove(before, f.Board);
    ASSERT_NE(h.to_row, 0);
    EXPECT_EQ(f.AnimFromRow, h.from_row);
    EXPECT_EQ(f.AnimFromCol, h.from_col);
    EXPECT_EQ(f.AnimToRow, h.to_row);
    EXPECT_EQ(f.AnimToCol, h.to_col);
    EXPECT_EQ(f.AnimWolf, 0);

    std::vector<Point> wolf, hunter;
    int patches = 0;
    for (const auto& s : g.canvas->steps) {
      if (s.image == &f.ImageList1[tile::kMovingWolf]) wolf.push_back({s.x, s.y});
      if (s.image == &f.ImageList1[tile::kMovingHunter]) {
        EXPECT_EQ(wolf.size(), 53u) << "the hunter moved before the wolf had arrived";
        hunter.push_back({s.x, s.y});
      }
      patches += s.image == &f.RisingPatch || s.image == &f.FallingPatch;
    }
    if (!animate) {
      EXPECT_TRUE(wolf.empty());
      EXPECT_TRUE(hunter.empty());
      EXPECT_EQ(patches, 0);
      continue;
    }
    ASSERT_EQ(wolf.size(), 53u);
    EXPECT_EQ(wolf.front(), (Point{132, 291}));
    EXPECT_EQ(wolf.back(), (Point{184, 239}));
    ASSERT_EQ(hunter.size(), 53u);
    EXPECT_EQ(hunter.back(), (Point{TForm3::SquareX(h.to_col), TForm3::SquareY(h.to_row)}));
    EXPECT_EQ(patches, 2 * 53);
    EXPECT_EQ(g.platform.present_count, 2 * 53);
  }
}

TEST(Calibration, DelayCountIsZeroUntilTheFirstPaintAndKeptAfterIt) {
  FakePlatform p(false);
  TForm3 form(p);
  form.FormCreate();
  EXPECT_EQ(form.DelayCount, 0);
  EXPECT_EQ(form.CalibrationPending, 1);
  int presents_at_first_read = -1;
  p.clock = [&p, &presents_at_first_read] {
    if (presents_at_first_read < 0) presents_at_first_read = p.present_count;
    return (10 + p.clock_reads++ / 50) % 60;
  };
  form.FormPaint();
  EXPECT_EQ(form.CalibrationPending, 0);
  EXPECT_GE(form.DelayCount, 1);
  // The painted board was on screen before the measuring began.
  EXPECT_EQ(presents_at_first_read, 1);
  const int delay = form.DelayCount;
  const int reads = p.clock_reads;
  form.FormPaint();
  form.FormPaint();
  EXPECT_EQ(form.DelayCount, delay);
  EXPECT_EQ(p.clock_reads, reads);
}

// Calibrates with a clock that gives `first` readings of second 20 and then 22 in the first
// loop, and `second` readings of 22 and then 24 in the second loop, so exactly first + second
// stars are counted (each loop writes one star per reading after its start).
int CalibrateWithCount(int first, int second) {
  FakePlatform p(false);
  TForm3 form(p);
  form.FormCreate();
  std::vector<int> readings{20};
  for (int i = 1; i < first; ++i)
    readings.push_back(20 + (i % 2));
  readings.push_back(22);
  readings.push_back(22);
  for (int i = 1; i < second; ++i)
    readings.push_back(22 + (i % 2));
  readings.push_back(24);
  p.clock = [&p, readings] {
    const auto i = static_cast<std::size_t>(p.clock_reads++);
    return i < readings.size() ? readings[i] : 59;
  };
  form.FormPaint();
  EXPECT_EQ(static_cast<std::size_t>(p.clock_reads), readings.size());
  return form.DelayCount;
}

TEST(Calibration, CountIsDividedBySeventySevenAndRounded) {
  EXPECT_EQ(CalibrateWithCount(1, 1), 1);      // 2 stars
  EXPECT_EQ(CalibrateWithCount(20, 18), 1);    // 38: rounds to 0, raised to 1
  EXPECT_EQ(CalibrateWithCount(20, 19), 1);    // 39
  EXPECT_EQ(CalibrateWithCount(60, 55), 1);    // 115
  EXPECT_EQ(CalibrateWithCount(60, 56), 2);    // 116
  EXPECT_EQ(CalibrateWithCount(131, 100), 3);  // 231
}

// A measurement that starts near the end of a minute counts just as long as any other.
TEST(Calibration, TheEndOfAMinuteDoesNotShortenTheMeasurement) {
  FakePlatform p(false);
  TForm3 form(p);
  form.FormCreate();
  for (int start = 0; start < 60; ++start) {
    SCOPED_TRACE(start);
    p.clock_reads = 0;
    p.clock = [&p, start] { return (start + p.clock_reads++ / 100) % 60; };
    form.CalibrationPending = 1;
    form.Calibrate();
    // Four seconds of readings at 100 a second: 399 stars, one per reading but the two first.
    EXPECT_EQ(p.clock_reads, 401);
    EXPECT_EQ(form.DelayCount, 5);  // round(399 / 77)
  }
}

}  // namespace
}  // namespace vorlask::testing
