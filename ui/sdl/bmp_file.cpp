#include "ui/sdl/bmp_file.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "ui/bitmap_check.h"
#include "ui/file_path.h"

namespace vorlask {

namespace {

// The common uncompressed files (24 and 32 bits, or 8 bits with a palette) are read directly:
// SDL's general conversion takes several times as long, and start-up waits for it. The layout
// has been checked already, so every size below is bounded.
bool ReadPlainBmp(std::ifstream& in, const BitmapLayout& l, Image& out, std::string& error) {
  std::array<std::uint32_t, 256> palette{};
  palette.fill(0xFF000000u);
  if (l.bits == 8) {
    std::array<unsigned char, 4 * 256> entries{};
    in.seekg(static_cast<std::streamoff>(l.palette_offset));
    if (!in.read(reinterpret_cast<char*>(entries.data()),
                 4 * static_cast<std::streamsize>(l.colours))) {
      error = "its palette cannot be read";
      return false;
    }
    for (std::uint32_t i = 0; i < l.colours; ++i) {
      const unsigned char* e = entries.data() + 4 * i;
      palette[i] = 0xFF000000u | (std::uint32_t{e[2]} << 16) | (std::uint32_t{e[1]} << 8) | e[0];
    }
  }
  // Row by row: a whole-file buffer would cost more to map than to read.
  in.seekg(static_cast<std::streamoff>(l.pixel_offset));
  Image image(l.width, l.height);
  std::vector<unsigned char> row(l.row_bytes);
  for (std::int32_t i = 0; i < l.height; ++i) {
    if (!in.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(row.size()))) {
      error = "its pixels cannot be read";
      return false;
    }
    const std::int32_t y = l.bottom_up ? l.height - 1 - i : i;
    std::uint32_t* target = image.pixels.data() + static_cast<std::size_t>(y) * l.width;
    for (std::int32_t x = 0; x < l.width; ++x) {
      if (l.bits == 8) {
        target[x] = palette[row[x]];
      } else {
        const unsigned char* p = row.data() + static_cast<std::size_t>(x) * (l.bits / 8);
        target[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      }
    }
  }
  out = std::move(image);
  return true;
}

// The other kinds (run lengths, 1, 4 and 16 bits, colour masks, the old header) through SDL,
// from the bytes already checked: the file is read once, so what SDL sees is what passed.
bool ReadOtherBmp(std::ifstream& in, std::uint64_t size, Image& out, std::string& error) {
  std::vector<unsigned char> bytes(size);
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    error = "it cannot be read";
    return false;
  }
  BitmapLayout layout;
  if (std::string problem = BitmapProblem(bytes.data(), bytes.size(), size, layout);
      !problem.empty()) {
    error = problem;
    return false;
  }
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  SDL_Surface* loaded = source != nullptr ? SDL_LoadBMP_RW(source, 1) : nullptr;
  if (loaded == nullptr) {
    error = SDL_GetError();
    return false;
  }
  bytes = {};
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (argb == nullptr) {
    error = SDL_GetError();
    return false;
  }
  out = TakeArgbSurface(argb);
  return true;
}

// Reads a file whose headers have been found sound.
bool LoadCheckedBmp(const std::string& path, const BitmapLayout& layout, Image& out,
                    std::string& error) {
  std::ifstream in(FilePath(path), std::ios::binary | std::ios::ate);
  if (!in) {
    error = "it cannot be read";
    return false;
  }
  // The file may have changed since it was checked; only what was checked is read.
  const std::uint64_t size = static_cast<std::uint64_t>(static_cast<std::streamoff>(in.tellg()));
  if (size > kMaxBitmapFileBytes) {
    error = "it grew while it was read";
    return false;
  }
  const bool plain = layout.info_size >= 40 && layout.compression == 0 && layout.planes == 1 &&
                     (layout.bits == 8 || layout.bits == 24 || layout.bits == 32);
  return plain ? ReadPlainBmp(in, layout, out, error) : ReadOtherBmp(in, size, out, error);
}

}  // namespace

Image TakeArgbSurface(SDL_Surface* argb) {
  Image image(argb->w, argb->h);
  SDL_LockSurface(argb);
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) +
                                                      static_cast<std::ptrdiff_t>(y) * argb->pitch);
    for (int x = 0; x < argb->w; ++x)
      image.Set(x, y, row[x] | 0xFF000000u);
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  return image;
}

bool LoadBmpFile(const std::string& path, Image& out, std::string& error) {
  BitmapLayout layout;
  if (std::string problem = BitmapFileProblem(path, layout); !problem.empty()) {
    error = problem;
    return false;
  }
  return LoadCheckedBmp(path, layout, out, error);
}

FileResult LoadDataBitmap(const std::string& path, Image& out, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::exists(FilePath(path), ec) && !ec) return FileResult::kMissing;
  // The headers are checked before any of the file is decoded: a damaged one can claim a
  // picture of many gigabytes, and a directory or a pipe in the file's place would block.
  BitmapLayout layout;
  if (std::string problem = BitmapFileProblem(path, layout); !problem.empty()) {
    error = problem;
    return FileResult::kDamaged;
  }
  return LoadCheckedBmp(path, layout, out, error) ? FileResult::kLoaded : FileResult::kUnreadable;
}

bool SaveBmpFile(const std::string& path, const Image& image, std::string& error) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, image.width, image.height, 24, SDL_PIXELFORMAT_BGR24);
  if (surface == nullptr) {
    error = SDL_GetError();
    return false;
  }
  SDL_LockSurface(surface);
  for (int y = 0; y < image.height; ++y) {
    auto* row =
        static_cast<Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    for (int x = 0; x < image.width; ++x) {
      const Color c = ColorOf(image.At(x, y));
      row[3 * x] = c.b;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.r;
    }
  }
  SDL_UnlockSurface(surface);
  const bool ok = SDL_SaveBMP(surface, path.c_str()) == 0;
  if (!ok) error = SDL_GetError();
  SDL_FreeSurface(surface);
  return ok;
}

}  // namespace vorlask
