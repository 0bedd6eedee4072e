#include "game/state.h"

namespace vorlask {

void TForm3::wolfa() {}

}  // namespace vorlask
