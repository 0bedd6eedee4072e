#include "platform/sdl/data_folders.h"

#include <SDL.h>

#include <filesystem>

#include "platform/sdl/file_path.h"
#include "platform/sdl/system.h"

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

}  // namespace

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

}  // namespace vorlask
