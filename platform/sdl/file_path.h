#pragma once

#include <filesystem>
#include <string>

namespace vorlask {

// The game names files in UTF-8 text. The standard library reads a plain string as a path in
// the system's own narrow encoding, which on Windows is a legacy code page that lacks most
// letters; through char8_t the text is read as UTF-8 everywhere, so a folder named in any
// script opens.
inline std::filesystem::path FilePath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A path as the game's UTF-8 text.
inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace vorlask
