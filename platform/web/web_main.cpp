// Vorlask in a web page: the same game as on the desktop, its window a canvas in the page.
// The bitmaps and the font come with the page, in its file system; the piano and the tunes
// follow when the music is first switched on.

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/sdl/ttf_text.h"
#include "platform/web/web_platform.h"
#include "ui/form.h"
#include "ui/tiles.h"

namespace vorlask {
namespace {

int RunGame() {
  std::string error;
  // The page has only one thread: what the desktop prepares beside SDL's start is done here
  // first.
  MakeTileSet();
  TtfTextRenderer text(VORLASK_FONT_FILE);
  if (!text.Ready(error)) {
    ShowPageError(CannotStartMessage("its font is missing (" + error + ")."));
    return 1;
  }
  WebPlatform platform(text);
  if (!platform.OpenWindow(error)) {
    ShowPageError(CannotStartMessage(error));
    return 1;
  }
  // The form lives on the heap: with its pictures and tile set it is too big for the stack.
  auto form = std::make_unique<TForm3>(platform);
  if (!form->FormCreate()) return 1;
  // The page's own controls show the options from the start, while the first paint and the
  // speed measurement still run.
  platform.TellPage(*form);
  // A canvas never reports that it needs painting, as a new window does: the first paint is
  // asked for here. It measures the game's speed, so it waits until the page can be seen: a
  // page behind another tab runs slowed down by the browser, and the slides would come out
  // short for the rest of the game.
  WaitUntilPageVisible();
  SDL_Event expose;
  SDL_zero(expose);
  expose.type = SDL_WINDOWEVENT;
  expose.window.event = SDL_WINDOWEVENT_EXPOSED;
  SDL_PushEvent(&expose);
  return platform.Run(*form);
}

}  // namespace
}  // namespace vorlask

int main(int, char*[]) {
  SDL_SetHint(SDL_HINT_APP_NAME, "Vorlask");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  // The page fits the picture to its window itself (shell.html), at whole device pixels a pixel
  // where it can; the program draws the picture at its own size, as on a desktop that asks
  // for scale 1. Drawn larger, an odd number of device pixels a pixel would come out uneven.
  SDL_setenv("GDK_SCALE", "1", 1);
  // The program gives the browser its turns itself (WebPlatform); SDL would add one of its own
  // inside every picture shown, from a place the program does not expect to wait in.
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
  // The music's instruments: the piano of the page's own Timidity set.
  SDL_setenv("TIMIDITY_CFG", VORLASK_SOUNDFONT_FILE, 1);
  int status = 1;
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    vorlask::ShowPageError(vorlask::CannotStartMessage(SDL_GetError()));
  } else {
    status = vorlask::RunGame();
    // SDL lets go of the page's keys and mouse, so that the page's own link to start again
    // takes Enter and Tab as any link does.
    SDL_Quit();
  }
  vorlask::ShowPageEnded(status);
  return status;
}
