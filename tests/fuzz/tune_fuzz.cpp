// Any bytes as one of the game's music files, through the check that runs before the player
// sees a file: it must answer quickly, whatever the file's chunk outline claims.

#include "fuzz_input.h"
#include "ui/tune_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = vorlask::fuzz::WriteInput(data, size, ".mid");
  (void)vorlask::TuneFileProblem(path);
  return 0;
}
