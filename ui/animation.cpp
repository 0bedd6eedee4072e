#include "game/state.h"

namespace vorlask {

void TForm3::wolf3() {}

void TForm3::Calibrate() {
  CalibrationPending = 0;
  DelayCount = 1;
}

}  // namespace vorlask
