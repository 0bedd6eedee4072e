// Any bytes as one of the game's bitmap files, read as start-up reads them: the file read once,
// its headers checked, the picture decoded. Nothing may crash, run long or allocate much (the
// run's memory and time limits catch that), and a picture read must be the one its header
// describes, which the check alone must also have passed.

#include <cstdio>
#include <cstdlib>

#include "checks/bitmap_check.h"
#include "fuzz_input.h"
#include "platform/sdl/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = vorlask::fuzz::WriteInput(data, size, ".bmp");
  vorlask::Image image;
  std::string error;
  const bool read = vorlask::LoadBmpFile(path, image, error);
  vorlask::BitmapLayout layout;
  const std::string problem = vorlask::BitmapProblem(data, size, size, layout);
  if (read && !problem.empty()) {
    std::fprintf(stderr, "the reader took a file that start-up refuses: %s\n", problem.c_str());
    std::abort();
  }
  if (read) {
    const bool sized = image.width == layout.width && image.height == layout.height &&
                       image.pixels.size() == static_cast<std::size_t>(image.width) * image.height;
    if (!sized ||
        image.width * static_cast<std::int64_t>(image.height) > vorlask::kMaxBitmapPixels) {
      std::fprintf(stderr, "the picture read is %d by %d where the header says %d by %d\n",
                   image.width, image.height, layout.width, layout.height);
      std::abort();
    }
  } else if (error.empty()) {
    std::fprintf(stderr, "the reader refused a file without saying why\n");
    std::abort();
  }
  return 0;
}
