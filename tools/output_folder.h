#pragma once

#include <cstdio>
#include <string>

namespace vorlask::tools {

// The one argument every tool takes: the folder it writes its files into. False, with the
// usage told, when it is not given.
inline bool OutputFolder(int argc, char** argv, const char* tool, std::string& folder) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", tool);
    return false;
  }
  folder = argv[1];
  return true;
}

}  // namespace vorlask::tools
