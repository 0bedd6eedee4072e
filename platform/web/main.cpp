// Vorlask in a web page: the same game as on the desktop, its window a canvas in the page.
// The bitmaps and the font come with the page, in its file system; the piano and the tunes
// follow when the music is first switched on.

#include <SDL.h>

#include "platform/sdl/startup.h"
#include "platform/web/page.h"

int main(int, char*[]) {
  const int status = vorlask::RunVorlask();
  // SDL lets go of the page's keys and mouse, so that the page's own link to start again
  // takes Enter and Tab as any link does.
  SDL_Quit();
  vorlask::page::Ended(status);
  return status;
}
