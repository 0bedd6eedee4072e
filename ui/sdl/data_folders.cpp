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

std::map<std::string, Image> PrefetchBitmaps() {
  std::map<std::string, Image> bitmaps;
  std::error_code ec;
  for (const std::string& folder : VorlaskDataFolders()) {
    if (!std::filesystem::exists(FilePath(folder) / kBitmapFiles[0], ec)) continue;
    for (const char* name : kBitmapFiles) {
      const std::string path = PathText(FilePath(folder) / name);
      Image image;
      std::string error;
      if (LoadBmpFile(path, image, error)) bitmaps.emplace(PrefetchKey(path), std::move(image));
    }
    break;
  }
  return bitmaps;
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

bool SdlPlatform::FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(FilePath(path), ec);
}

FileResult SdlPlatform::LoadBitmap(const std::string& path, Image& out, std::string& error) {
  if (auto it = prefetched_.find(PrefetchKey(path)); it != prefetched_.end()) {
    out = std::move(it->second);
    prefetched_.erase(it);
    return FileResult::kLoaded;
  }
  return LoadDataBitmap(path, out, error);
}

}  // namespace vorlask
