#pragma once

#include <string>
#include <vector>

namespace vorlask {

// The folders searched for the data files, in order: the current directory, the program's
// own folder, then where the platform keeps them (InstalledDataFolders).
std::vector<std::string> VorlaskDataFolders();

}  // namespace vorlask
