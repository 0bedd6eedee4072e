// Vorlask on Windows: SDL's own WinMain starts this main, whatever the program was started with.

#include <SDL.h>

#include "platform/sdl/startup.h"

int main(int, char*[]) {
  return vorlask::RunVorlask();
}
