#include <cmath>
#include <cstdint>

#include "ui/form.h"

namespace vorlask {

namespace {

// One square pitch: the piece slides one pixel diagonally per frame.
constexpr int kFrames = 53;
// A frame's wait is DelayCount steps, measured against roughly 77 frames' worth of clock time,
// so that the 53 frames of a move take two to three seconds.
constexpr double kFramesPerMeasure = 77.0;
// How many pacing steps pass between two words to the window system that the program is alive.
constexpr std::int64_t kKeepAliveStride = 4096;

int NormalSecond(int s) {
  return ((s % 60) + 60) % 60;
}

// The pacing step, the same in the measurement and between frames: the star at (0, 0), a look
// at the clock and, now and then, a word to the window system. The pace so follows the speed
// of drawing text rather than any timer, and a frame's wait costs exactly what was counted.
int PaceStep(Canvas& canvas, Platform& platform, std::int64_t& steps) {
  canvas.TextOut(0, 0, "*");
  if (++steps % kKeepAliveStride == 0) platform.KeepAlive();
  return NormalSecond(platform.ClockSecond());
}

}  // namespace

void TForm3::AnimateWolf() {
  AnimWolf = 1;
  wolf3();
  AnimWolf = 0;
}

void TForm3::wolf3() {
  AnimDirection = AnimFromCol < AnimToCol ? 1 : 0;
  if (AnimWolf == 1 && AnimFromRow < AnimToRow) AnimDirection = AnimFromCol < AnimToCol ? 2 : 3;

  // One 2 x 2 patch of empty board covers both squares of the move; drawing it first in every
  // frame erases the piece where the previous frame left it.
  const bool rising = AnimDirection == 1 || AnimDirection > 2;
  const Image* patch = rising ? &RisingPatch : &FallingPatch;
  const int patch_row = AnimDirection >= 2 ? AnimToRow - 1 : AnimToRow;
  const int patch_col = AnimDirection == 1 || AnimDirection == 2 ? AnimToCol - 1 : AnimToCol;
  const int patch_x = SquareX(patch_col);
  const int patch_y = SquareY(patch_row);

  const Image& piece =
      ImageList1[static_cast<std::size_t>(AnimWolf == 1 ? tile::kMovingWolf : tile::kMovingHunter)];
  const int x0 = SquareX(AnimFromCol);
  const int y0 = SquareY(AnimFromRow);
  // A hunter only ever goes up, so only its up-right direction counts.
  const int dx =
      (AnimWolf == 1 ? AnimDirection == 1 || AnimDirection == 2 : AnimDirection == 1) ? 1 : -1;
  const int dy = AnimWolf == 1 && AnimDirection >= 2 ? 1 : -1;

  std::int64_t steps = 0;
  AnimFrame = 0;
  while (AnimFrame < kFrames) {
    AnimFrame = static_cast<std::uint8_t>(AnimFrame + 1);
    const int d = AnimFrame + 1;
    canvas.Draw(patch_x, patch_y, *patch);
    canvas.Draw(x0 + dx * d, y0 + dy * d, piece);
    platform.Present();
    for (std::int32_t i = 0; i < DelayCount; ++i)
      PaceStep(canvas, platform, steps);
  }
}

// Counts star writes over three to four seconds of the clock: the first loop runs from the
// first reading until the second after next begins, the second loop over the two whole seconds
// after that. The seconds are taken as a number and counted modulo a minute, so a measurement
// that crosses the end of a minute lasts as long as any other and always ends.
void TForm3::Calibrate() {
  // The first frame is on screen before the window goes busy for a few seconds.
  platform.Present();
  std::int64_t count = 0;
  for (int loop = 0; loop < 2; ++loop) {
    const int start = NormalSecond(platform.ClockSecond());
    int elapsed = 0;
    do {
      elapsed = NormalSecond(PaceStep(canvas, platform, count) - start);
    } while (elapsed <= 1);
  }
  CalibrationPending = 0;
  const double per_frame = std::round(static_cast<double>(count) / kFramesPerMeasure);
  DelayCount = per_frame < 1.0         ? 1
               : per_frame > INT32_MAX ? INT32_MAX
                                       : static_cast<std::int32_t>(per_frame);
}

}  // namespace vorlask
