#include <filesystem>

#include "ui/sdl/bmp_file.h"
#include "ui/sdl/sdl_platform.h"

namespace vorlask {

namespace {

std::string WithoutTrailingSeparator(const std::filesystem::path& p) {
  std::string s = p.lexically_normal().string();
  while (s.size() > 1 && s.back() == '/')
    s.pop_back();
  return s;
}

}  // namespace

std::vector<std::string> SdlPlatform::DataFolders() {
  return VorlaskDataFolders();
}

std::map<std::string, PrefetchedBitmap> PrefetchBitmaps() {
  std::map<std::string, PrefetchedBitmap> loaded;
  const auto record = [&loaded](const std::string& path, const CheckedBitmap& file) {
    loaded[path] = {file.result, {}, file.error};
  };
  std::string folder;
  std::vector<CheckedBitmap> files;
  for (const std::string& f : VorlaskDataFolders()) {
    const std::string path = (std::filesystem::path(f) / kBitmapFiles[0]).string();
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
    paths.push_back((std::filesystem::path(folder) / kBitmapFiles[i]).string());
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
    PrefetchedBitmap& bitmap = loaded[paths[i]];
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
    exe_dir = base;
    SDL_free(base);
    add(exe_dir);
  }
  add(VORLASK_INSTALLED_DATA_DIR);
  // An installation unpacked somewhere else keeps its data where it would be installed,
  // counted from the program's folder.
  if (!exe_dir.empty()) add(exe_dir / VORLASK_DATA_FROM_BIN);
  return folders;
}

FileResult SdlPlatform::LoadBitmap(const std::string& path, Image& out, std::string& error) {
  if (auto it = prefetched_.find(path); it != prefetched_.end()) {
    const FileResult result = it->second.result;
    out = std::move(it->second.image);
    error = it->second.error;
    prefetched_.erase(it);
    return result;
  }
  return LoadDataBitmap(path, out, error);
}

}  // namespace vorlask
