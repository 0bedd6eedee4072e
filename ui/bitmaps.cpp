#include "ui/bitmaps.h"

#include "ui/platform.h"

namespace vorlask {

namespace {

// A file in a folder, written as the folder's own path joins it.
std::string DataPath(const std::string& folder, const char* file) {
  if (folder.empty()) return file;
  return folder.back() == '/' ? folder + file : folder + "/" + file;
}

std::string CannotStart(const std::string& file, const std::string& what,
                        const std::string& searched) {
  return CannotStartMessage("the data file \"" + file + "\"" + what +
                            "\nFolders searched:" + searched);
}

}  // namespace

// Larger pictures are refused by the reader already; this bound only completes the table.
std::string BitmapSizeProblem(std::size_t index, std::int64_t width, std::int64_t height) {
  constexpr std::int64_t kMaxSide = 4096;
  struct Need {
    std::int64_t min_w, min_h, max_w, max_h;
  };
  // Background, chosen mark, blank mark, pressed start box, the two patches.
  constexpr std::array<Need, 6> kNeeds = {{{596, 446, kMaxSide, kMaxSide},
                                           {1, 1, 131, 21},
                                           {1, 1, 131, 21},
                                           {122, 34, kMaxSide, kMaxSide},
                                           {107, 107, kMaxSide, kMaxSide},
                                           {107, 107, kMaxSide, kMaxSide}}};
  const Need& n = kNeeds.at(index);
  if (width < n.min_w || height < n.min_h || width > n.max_w || height > n.max_h) {
    return "it is " + std::to_string(width) + " by " + std::to_string(height) +
           " pixels, which does not fit its place in the window";
  }
  return {};
}

BitmapSet LoadBitmapSet(const std::vector<std::string>& folders, BitmapFiles& files) {
  BitmapSet set;
  std::array<CheckedBitmap, kBitmapFiles.size()> read;
  std::string searched;
  bool found = false;
  for (const std::string& f : folders) {
    if (!found) {
      read[0] = files.Read(DataPath(f, kBitmapFiles[0]));
      found =
          read[0].result != FileResult::kMissing && read[0].result != FileResult::kFolderUnreadable;
      if (found) set.folder = f;
    }
    searched += "\n  " + f;
    if (!found && read[0].result == FileResult::kFolderUnreadable) {
      searched += " (this folder cannot be read: " + read[0].error + ")";
    }
  }
  if (!found) {
    set.problem = CannotStart(kBitmapFiles[0], " was not found.", searched);
    return set;
  }
  for (std::size_t i = 0; i < read.size(); ++i) {
    const std::string path = DataPath(set.folder, kBitmapFiles[i]);
    if (i > 0) read[i] = files.Read(path);
    CheckedBitmap& file = read[i];
    if (file.result == FileResult::kLoaded) {
      file.error = BitmapSizeProblem(i, file.layout.width, file.layout.height);
      if (!file.error.empty()) file.result = FileResult::kDamaged;
    }
    if (file.result != FileResult::kLoaded) {
      set.problem =
          CannotStart(kBitmapFiles[i],
                      " (" + path + ")" + FileProblem(file.result, file.error) + ".", searched);
      return set;
    }
  }
  for (std::size_t i = 0; i < read.size(); ++i) {
    std::string error;
    const FileResult result = files.Decode(read[i], set.images[i], error);
    if (result != FileResult::kLoaded) {
      const std::string path = DataPath(set.folder, kBitmapFiles[i]);
      set.problem = CannotStart(kBitmapFiles[i],
                                " (" + path + ")" + FileProblem(result, error) + ".", searched);
      return set;
    }
  }
  // The blank mark is drawn over the chosen one to clear it.
  if (set.images[2].width < set.images[1].width || set.images[2].height < set.images[1].height) {
    set.problem =
        CannotStartMessage(std::string("the data file \"") + kBitmapFiles[2] +
                           "\" is smaller than \"" + kBitmapFiles[1] + "\" and cannot blank it.");
  }
  return set;
}

}  // namespace vorlask
