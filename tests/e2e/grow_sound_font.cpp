// Writes a SoundFont as large as asked by growing the sample data of a given one with silence,
// left as holes in the file where the file system keeps them: a large General MIDI set for the
// price of a small one on disk, its presets and samples where they were. With MIB 0 and
// --samples-past-end, the same font with every sample's end moved past its sample data.
// Usage: e2e_grow_sound_font FONT.sf2 MIB OUT.sf2 [--samples-past-end]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "checks/sound_font_cut.h"

namespace {

void PutLe32(std::vector<unsigned char>& bytes, std::uint64_t at, std::uint64_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::uint64_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: %s FONT.sf2 MIB OUT.sf2 [--samples-past-end]\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<unsigned char> font{std::istreambuf_iterator<char>(in), {}};
  const vorlask::ReadAt read = [&font](std::uint64_t at, std::size_t n,
                                       std::vector<unsigned char>& out) {
    if (at > font.size() || n > font.size() - at) return false;
    out.assign(font.begin() + static_cast<std::ptrdiff_t>(at),
               font.begin() + static_cast<std::ptrdiff_t>(at + n));
    return true;
  };
  vorlask::SoundFontChunks chunks;
  if (const std::string problem = vorlask::FindSoundFontChunks(read, font.size(), chunks);
      !problem.empty()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], problem.c_str());
    return 1;
  }
  const std::uint64_t end = chunks.samples_offset + chunks.samples_bytes;
  if (argc == 5) {
    // The sample headers are the last list of the preset data, 46 bytes each, the end of a
    // sample 24 bytes into its header.
    const std::uint64_t list_end = chunks.presets_offset + chunks.presets_bytes;
    const unsigned char shdr[] = {'s', 'h', 'd', 'r'};
    auto at = std::search(font.begin() + static_cast<std::ptrdiff_t>(chunks.presets_offset),
                          font.begin() + static_cast<std::ptrdiff_t>(list_end), shdr, shdr + 4);
    for (at += 8; at + 46 <= font.begin() + static_cast<std::ptrdiff_t>(list_end); at += 46)
      at[27] = 0x7F;
  }
  const std::uint64_t wanted = std::strtoull(argv[2], nullptr, 10) * 1024 * 1024;
  const std::uint64_t grow = (wanted > font.size() ? wanted - font.size() : 0) & ~std::uint64_t{1};
  // The RIFF chunk, the sdta list and the smpl chunk each grow by as much.
  PutLe32(font, 4, font.size() - 8 + grow);
  PutLe32(font, chunks.samples_offset - 16, chunks.samples_bytes + 12 + grow);
  PutLe32(font, chunks.samples_offset - 4, chunks.samples_bytes + grow);
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(end));
  out.seekp(static_cast<std::streamoff>(end + grow));
  out.write(reinterpret_cast<const char*>(font.data() + end),
            static_cast<std::streamsize>(font.size() - end));
  return out ? 0 : 1;
}
