#include "checks/sound_font_check.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vorlask {

namespace {

std::string Ending(const std::string& name) {
  std::string end = name.substr(name.size() - std::min<std::size_t>(4, name.size()));
  for (char& c : end)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end;
}

}  // namespace

bool IsSoundFont(const std::string& name) {
  return Ending(name) == ".sf2" || Ending(name) == ".sf3";
}

bool IsPlainSoundFont(const std::string& name) {
  return Ending(name) == ".sf2";
}

std::string SoundFontProblem(const std::vector<unsigned char>& head, std::uint64_t size) {
  const std::vector<unsigned char>& h = head;
  if (h.size() < 12 || std::memcmp(h.data(), "RIFF", 4) != 0 ||
      std::memcmp(h.data() + 8, "sfbk", 4) != 0) {
    return "it is not a SoundFont";
  }
  const std::uint64_t riff =
      h[4] | (std::uint64_t{h[5]} << 8) | (std::uint64_t{h[6]} << 16) | (std::uint64_t{h[7]} << 24);
  if (riff + 8 != size) {
    return "its header gives it " + std::to_string(riff + 8) + " bytes where the file holds " +
           std::to_string(size);
  }
  return {};
}

std::string ConfigurationProblem(std::uint64_t size) {
  if (size <= kMaxTimidityCfgBytes) return {};
  return "it is " + std::to_string(size) + " bytes long, where the game reads at most " +
         std::to_string(kMaxTimidityCfgBytes);
}

}  // namespace vorlask
