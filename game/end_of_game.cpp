#include "game/state.h"

namespace vorlask {

void TForm3::wolf2a() {}

}  // namespace vorlask
