#include "checks/file_result.h"

namespace vorlask {

std::string FileProblem(FileResult result, const std::string& reason) {
  switch (result) {
    case FileResult::kLoaded:
      break;
    case FileResult::kMissing:
      return " is missing";
    case FileResult::kDamaged:
      return " is damaged: " + reason;
    case FileResult::kUnreadable:
      return " cannot be read: " + reason;
    case FileResult::kNotAFile:
      return " is not a file: " + reason;
    case FileResult::kFolderUnreadable:
      return " cannot be read, because its folder cannot be read: " + reason;
  }
  return {};
}

}  // namespace vorlask
