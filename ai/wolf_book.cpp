#include "game/state.h"

namespace vorlask {

void TForm3::wolfc() { WolfMoved = 0; }

}  // namespace vorlask
