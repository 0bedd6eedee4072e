#include <filesystem>

#include "ui/file_path.h"
#include "ui/sdl/bmp_file.h"
#include "ui/sdl/sdl_platform.h"
#include "ui/sdl/system.h"

namespace vorlask {

namespace {

std::string WithoutTrailingSeparator(const std::filesystem::path& p) {
  std::string s = PathText(p.lexically_normal());
  // SDL ends the program's folder with the system's separator; a drive's root keeps it.
  while (s.size() > 1 &&
         (s.back() == '/' || s.back() == std::filesystem::path::preferred_separator) &&
         s[s.size() - 2] != ':')
    s.pop_back();
  return s;
}

// The game joins a folder and a file with '/', the system's own paths use its own separator:
// both name the same file.
std::string PrefetchKey(const std::string& path) {
  return PathText(FilePath(path).lexically_normal());
}

}  // namespace

std::vector<std::string> SdlPlatform::DataFolders() {
  return VorlaskDataFolders();
}

std::map<std::string, PrefetchedBitmap> PrefetchBitmaps() {
  std::map<std::string, PrefetchedBitmap> loaded;
  const auto record = [&loaded](const std::string& path, const CheckedBitmap& file) {
    loaded[PrefetchKey(path)] = {file.result, {}, file.error};
  };
  std::string folder;
  std::vector<CheckedBitmap> files;
  for (const std::string& f : VorlaskDataFolders()) {
    const std::string path = PathText(FilePath(f) / kBitmapFiles[0]);
    CheckedBitmap first = CheckBitmapFile(path);
    if (first.result == FileResult::kMissing || first.result == FileResult::kFolderUnreadable) {
      record(path, first);
      continue;
    }
    folder = f;
    files.push_back(std::move(first));
    break;
  }
  if (folder.empty()) return loaded;
  // All six are checked, their sizes included, before the first is decoded: six damaged files
  // can each claim the largest picture, and decoding them all would cost more than the game.
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < kBitmapFiles.size(); ++i) {
    paths.push_back(PathText(FilePath(folder) / kBitmapFiles[i]));
    if (i > 0) files.push_back(CheckBitmapFile(paths[i]));
    CheckedBitmap& file = files.back();
    if (file.result == FileResult::kLoaded) {
      file.error = BitmapSizeProblem(i, file.layout.width, file.layout.height);
      if (!file.error.empty()) file.result = FileResult::kDamaged;
    }
    if (file.result != FileResult::kLoaded) {
      record(paths[i], file);
      return loaded;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    PrefetchedBitmap& bitmap = loaded[PrefetchKey(paths[i])];
    bitmap.result = DecodeBitmap(files[i], bitmap.image, bitmap.error);
    if (bitmap.result != FileResult::kLoaded) break;
  }
  return loaded;
}

std::vector<std::string> VorlaskDataFolders() {
  std::vector<std::string> folders;
  auto add = [&folders](const std::filesystem::path& p) {
    const std::string s = WithoutTrailingSeparator(p);
    for (const std::string& f : folders) {
      if (f == s) return;
    }
    folders.push_back(s);
  };
  std::error_code ec;
  const std::filesystem::path cwd = std::filesystem::current_path(ec);
  if (!ec) add(cwd);
  std::filesystem::path exe_dir;
  if (char* base = SDL_GetBasePath(); base != nullptr) {
    exe_dir = FilePath(base);
    SDL_free(base);
    add(exe_dir);
  }
  for (const std::filesystem::path& folder : InstalledDataFolders(exe_dir))
    add(folder);
  return folders;
}

FileResult SdlPlatform::LoadBitmap(const std::string& path, Image& out, std::string& error) {
  if (auto it = prefetched_.find(PrefetchKey(path)); it != prefetched_.end()) {
    const FileResult result = it->second.result;
    out = std::move(it->second.image);
    error = it->second.error;
    prefetched_.erase(it);
    return result;
  }
  return LoadDataBitmap(path, out, error);
}

}  // namespace vorlask
