#include "ui/tune_check.h"

#include <cstdint>
#include <cstring>
#include <fstream>

#include "ui/file_path.h"

namespace vorlask {

// The player takes an empty or garbled file as a tune that ends at once, so the music would
// skip it without a word, and with every file damaged would spin from one to the next. A header
// that declares fewer tracks than the file holds makes the player read only those; with none
// declared it plays nothing at all.
std::string TuneFileProblem(const std::string& file) {
  std::ifstream in(FilePath(file), std::ios::binary);
  if (!in) return "it cannot be read";
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0);
  if (size < 0) return "it cannot be read";
  auto be16 = [](const unsigned char* p) { return (std::uint32_t{p[0]} << 8) | p[1]; };
  auto be32 = [&](const unsigned char* p) { return (be16(p) << 16) | be16(p + 2); };
  unsigned char chunk[14];
  std::streamoff at = 0;
  bool header = false;
  std::uint32_t declared = 0;
  std::uint64_t tracks = 0;
  std::uint64_t empty_tracks = 0;
  while (at + 8 <= size) {
    const std::streamsize want = at == 0 && size >= 14 ? 14 : 8;
    if (!in.read(reinterpret_cast<char*>(chunk), want)) break;
    const std::uint32_t length = be32(chunk + 4);
    if (at == 0) {
      header = std::memcmp(chunk, "MThd", 4) == 0 && length >= 6 && want == 14;
      if (header) declared = be16(chunk + 10);
    }
    if (!header) return "it is not a MIDI file";
    if (at + 8 + static_cast<std::streamoff>(length) > size) return "a chunk runs past its end";
    if (std::memcmp(chunk, "MTrk", 4) == 0) {
      ++tracks;
      if (length == 0) ++empty_tracks;
    }
    at += 8 + static_cast<std::streamoff>(length);
    in.seekg(at);
  }
  if (!header) return size == 0 ? "it is empty" : "it is not a MIDI file";
  if (tracks == empty_tracks) return "it holds no track";
  if (declared != tracks) {
    return "its header declares " + std::to_string(declared) + " tracks where it holds " +
           std::to_string(tracks);
  }
  return {};
}

}  // namespace vorlask
