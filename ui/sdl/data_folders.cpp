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

std::map<std::string, Image> PrefetchBitmaps() {
  std::map<std::string, Image> bitmaps;
  std::error_code ec;
  for (const std::string& folder : VorlaskDataFolders()) {
    if (!std::filesystem::exists(std::filesystem::path(folder) / kBitmapFiles[0], ec)) continue;
    for (const char* name : kBitmapFiles) {
      const std::string path = (std::filesystem::path(folder) / name).string();
      Image image;
      std::string error;
      if (LoadBmpFile(path, image, error)) bitmaps.emplace(path, std::move(image));
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

bool SdlPlatform::FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

FileResult SdlPlatform::LoadBitmap(const std::string& path, Image& out, std::string& error) {
  if (auto it = prefetched_.find(path); it != prefetched_.end()) {
    out = std::move(it->second);
    prefetched_.erase(it);
    return FileResult::kLoaded;
  }
  return LoadDataBitmap(path, out, error);
}

}  // namespace vorlask
