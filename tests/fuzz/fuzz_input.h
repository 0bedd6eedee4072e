#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace vorlask::fuzz {

// The game reads its data from files, so each input is written to one file of this process
// and read back from there the way the game reads it.
inline const std::string& InputFile(const char* suffix) {
  static const std::string path = [suffix] {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/vorlask-fuzz-" +
           std::to_string(::getpid()) + suffix;
  }();
  return path;
}

inline const std::string& WriteInput(const std::uint8_t* data, std::size_t size,
                                     const char* suffix) {
  const std::string& path = InputFile(suffix);
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace vorlask::fuzz
