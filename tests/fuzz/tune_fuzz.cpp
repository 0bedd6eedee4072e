// Any bytes as one of the game's music files, through the check that runs before the player
// sees a file: it must answer quickly and allocate little, whatever the file claims.

#include <cstddef>
#include <cstdint>

#include "checks/tune_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  (void)vorlask::TuneProblem(data, size);
  return 0;
}
