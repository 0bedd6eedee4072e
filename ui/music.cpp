#include "game/state.h"

namespace vorlask {

void TForm3::wolf4() {}
void TForm3::MediaPlayer1Notify() {}

}  // namespace vorlask
