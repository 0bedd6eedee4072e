#include "game/state.h"

namespace vorlask {

void TForm3::wolfb() {}
void TForm3::wolfd() {}

}  // namespace vorlask
