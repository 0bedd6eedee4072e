// Reads one bitmap file as start-up does (read once, its headers checked, then decoded) and
// prints what that cost the process: its peak resident memory as the kernel counts it, and
// the time taken. One process a file, so that each file's peak is its own.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/sdl/bmp_file.h"

namespace {

long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s file.bmp\n", argv[0]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  vorlask::Image image;
  std::string error;
  const bool read = vorlask::LoadBmpFile(argv[1], image, error);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  std::printf("%s peak_kb=%ld ms=%lld %s\n", read ? "read" : "refused", PeakResidentKb(),
              static_cast<long long>(ms), read ? "" : error.c_str());
  return 0;
}
