#include "platform/sdl/bmp_file.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <vector>

#include "checks/bitmap_check.h"
#include "platform/sdl/data_file.h"

namespace vorlask {

namespace {

// The common uncompressed files (24 and 32 bits, or 8 bits with a palette) are read directly:
// SDL's general conversion takes several times as long, and start-up waits for it. A layout
// that passed the check fits these very bytes; the test below keeps a fault in the check from
// ever reading past them.
FileResult ReadPlainBmp(const std::vector<unsigned char>& bytes, const BitmapLayout& l, Image& out,
                        std::string& error) {
  const std::uint64_t need = l.pixel_offset + l.row_bytes * static_cast<std::uint64_t>(l.height);
  if (l.palette_end > bytes.size() || need > bytes.size()) {
    error = "it is cut short (" + std::to_string(bytes.size()) + " bytes where the picture needs " +
            std::to_string(need) + ")";
    return FileResult::kDamaged;
  }
  std::array<std::uint32_t, 256> palette{};
  palette.fill(0xFF000000u);
  if (l.bits == 8) {
    for (std::uint32_t i = 0; i < l.colours; ++i) {
      const unsigned char* e = bytes.data() + l.palette_offset + 4 * i;
      palette[i] = 0xFF000000u | (std::uint32_t{e[2]} << 16) | (std::uint32_t{e[1]} << 8) | e[0];
    }
  }
  Image image(l.width, l.height);
  for (std::int32_t i = 0; i < l.height; ++i) {
    const unsigned char* row = bytes.data() + l.pixel_offset + l.row_bytes * i;
    const std::int32_t y = l.bottom_up ? l.height - 1 - i : i;
    std::uint32_t* target = image.pixels.data() + static_cast<std::size_t>(y) * l.width;
    for (std::int32_t x = 0; x < l.width; ++x) {
      if (l.bits == 8) {
        target[x] = palette[row[x]];
      } else {
        const unsigned char* p = row + static_cast<std::size_t>(x) * (l.bits / 8);
        target[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      }
    }
  }
  out = std::move(image);
  return FileResult::kLoaded;
}

// The other kinds (run lengths, 1, 4 and 16 bits, colour masks, the old header) through SDL,
// from the bytes already checked: what SDL sees is what passed.
FileResult ReadOtherBmp(const std::vector<unsigned char>& bytes, Image& out, std::string& error) {
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  SDL_Surface* loaded = source != nullptr ? SDL_LoadBMP_RW(source, 1) : nullptr;
  if (loaded == nullptr) {
    error = std::string("its pixels cannot be decoded (") + SDL_GetError() + ")";
    return FileResult::kDamaged;
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (argb == nullptr) {
    error = std::string("its picture cannot be converted (") + SDL_GetError() + ")";
    return FileResult::kUnreadable;
  }
  out = TakeArgbSurface(argb);
  return FileResult::kLoaded;
}

}  // namespace

CheckedBitmap CheckBitmapFile(const std::string& path) {
  CheckedBitmap file;
  file.result = ReadDataFile(path, kMaxBitmapFileBytes, file.bytes, file.error);
  if (file.result != FileResult::kLoaded) return file;
  // The headers are checked before any of the file is decoded: a damaged one can claim a
  // picture of many gigabytes.
  file.error = BitmapProblem(file.bytes.data(), file.bytes.size(), file.bytes.size(), file.layout);
  if (!file.error.empty()) {
    file.result = FileResult::kDamaged;
    std::vector<unsigned char>().swap(file.bytes);
    return file;
  }
  KeepPictureBytes(file.bytes, file.layout);
  return file;
}

FileResult DecodeBitmap(CheckedBitmap& file, Image& out, std::string& error) {
  if (file.result != FileResult::kLoaded) {
    error = file.error;
    return file.result;
  }
  const BitmapLayout& l = file.layout;
  const bool plain = l.info_size >= 40 && l.compression == 0 && l.planes == 1 &&
                     (l.bits == 8 || l.bits == 24 || l.bits == 32);
  const FileResult result =
      plain ? ReadPlainBmp(file.bytes, l, out, error) : ReadOtherBmp(file.bytes, out, error);
  std::vector<unsigned char>().swap(file.bytes);  // its memory goes back now
  return result;
}

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

FileResult LoadDataBitmap(const std::string& path, Image& out, std::string& error) {
  CheckedBitmap file = CheckBitmapFile(path);
  return DecodeBitmap(file, out, error);
}

bool LoadBmpFile(const std::string& path, Image& out, std::string& error) {
  const FileResult result = LoadDataBitmap(path, out, error);
  if (result != FileResult::kLoaded) error = path + FileProblem(result, error);
  return result == FileResult::kLoaded;
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
