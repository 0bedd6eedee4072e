#include "ui/sdl/bmp_file.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

namespace vorlask {

namespace {

std::uint32_t U16(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (std::uint32_t{b[at + 1]} << 8);
}
std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
  return U16(b, at) | (U16(b, at + 2) << 16);
}

// The common uncompressed files (24 and 32 bits, or 8 bits with a palette) read directly:
// SDL's general conversion takes several times as long, and start-up waits for it. False when
// the file is of another kind or looks damaged; SDL then reads it or says what is wrong.
bool ReadPlainBmp(const std::string& path, Image& out) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  in.seekg(0);
  std::vector<unsigned char> b(54);
  if (size < 54 || !in.read(reinterpret_cast<char*>(b.data()), 54)) return false;
  if (b[0] != 'B' || b[1] != 'M') return false;
  const std::uint32_t offset = U32(b, 10);
  const std::uint32_t header = U32(b, 14);
  // Headers and palette come before the pixels and are small; anything else is not plain.
  constexpr std::uint32_t kMaxPrefix = 64 * 1024;
  if (header < 40 || offset < 14 + header || offset > kMaxPrefix || offset > size) return false;
  b.resize(offset);
  if (!in.read(reinterpret_cast<char*>(b.data()) + 54, offset - 54)) return false;
  const auto width = static_cast<std::int32_t>(U32(b, 18));
  const auto signed_height = static_cast<std::int32_t>(U32(b, 22));
  const std::uint32_t bits = U16(b, 28);
  const std::uint32_t compression = U32(b, 30);
  constexpr std::int32_t kMaxSide = 16384;
  if (U16(b, 26) != 1 || compression != 0 || width <= 0 || width > kMaxSide || signed_height == 0 ||
      signed_height < -kMaxSide || signed_height > kMaxSide) {
    return false;
  }
  if (bits != 8 && bits != 24 && bits != 32) return false;
  const bool bottom_up = signed_height > 0;
  const std::int32_t height = bottom_up ? signed_height : -signed_height;
  const std::uint64_t stride = ((std::uint64_t{bits} * width + 31) / 32) * 4;
  if (offset + stride * height > static_cast<std::uint64_t>(size)) return false;

  std::array<std::uint32_t, 256> palette{};
  if (bits == 8) {
    std::uint32_t colours = U32(b, 46);
    if (colours == 0) colours = 256;
    const std::uint64_t palette_at = 14 + std::uint64_t{header};
    if (colours > 256 || palette_at + 4ull * colours > offset) return false;
    palette.fill(0xFF000000u);
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::size_t at = palette_at + 4ull * i;
      palette[i] =
          0xFF000000u | (std::uint32_t{b[at + 2]} << 16) | (std::uint32_t{b[at + 1]} << 8) | b[at];
    }
  }
  // Row by row: a whole-file buffer would cost more to map than to read.
  Image image(width, height);
  std::vector<unsigned char> row(stride);
  for (std::int32_t i = 0; i < height; ++i) {
    if (!in.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(stride))) {
      return false;
    }
    const std::int32_t y = bottom_up ? height - 1 - i : i;
    std::uint32_t* target = image.pixels.data() + static_cast<std::size_t>(y) * width;
    for (std::int32_t x = 0; x < width; ++x) {
      if (bits == 8) {
        target[x] = palette[row[x]];
      } else {
        const unsigned char* p = row.data() + static_cast<std::size_t>(x) * (bits / 8);
        target[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      }
    }
  }
  out = std::move(image);
  return true;
}

}  // namespace

bool LoadBmpFile(const std::string& path, Image& out, std::string& error) {
  if (ReadPlainBmp(path, out)) return true;
  SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
  if (loaded == nullptr) {
    error = SDL_GetError();
    return false;
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (argb == nullptr) {
    error = SDL_GetError();
    return false;
  }
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
  out = std::move(image);
  return true;
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
