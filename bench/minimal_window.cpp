// The smallest SDL program that shows a window like Vorlask's: the same size and place, drawn
// through the same software path, filled with the same olive. The start-up benchmark compares
// the game's time to its first frame with this one's.
#include <SDL.h>

int main(int, char*[]) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    SDL_Log("no display: %s", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("Minimal", 160, 14, 615, 480, 0);
  if (window == nullptr) {
    SDL_Log("no window: %s", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  bool running = true;
  while (running) {
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 0) break;
    if (event.type == SDL_QUIT) running = false;
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
      SDL_Surface* surface = SDL_GetWindowSurface(window);
      if (surface != nullptr) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 128, 128, 0));
        SDL_UpdateWindowSurface(window);
      }
    }
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
