#pragma once

#include <string>

namespace vorlask {

// How reading a data file went. Damaged is kept for files whose bytes are wrong; a file that
// may not be read, or something other than a file in its place, is told as such.
enum class FileResult {
  kLoaded,
  kMissing,
  kDamaged,
  kUnreadable,        // it is there but may not be read
  kNotAFile,          // a folder, a named pipe or a device stands in its place
  kFolderUnreadable,  // its folder may not be searched, so whether it is there is unknown
};

// What is wrong with a data file that did not load, as the rest of a sentence that names the
// file: " is missing", " is damaged: <reason>", " cannot be read: <reason>", ... Every message
// about a file the game could not use is worded here.
std::string FileProblem(FileResult result, const std::string& reason);

}  // namespace vorlask
