#include "ui/sdl/bmp_file.h"

#include <SDL.h>

namespace vorlask {

bool LoadBmpFile(const std::string& path, Image& out, std::string& error) {
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
    for (int x = 0; x < argb->w; ++x) image.Set(x, y, row[x] | 0xFF000000u);
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
    auto* row = static_cast<Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
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
