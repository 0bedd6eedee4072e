#include "ui/web/web_platform.h"

#include <emscripten.h>

#include <cstdio>

namespace vorlask {

namespace {

// The page's own handlers (ui/web/shell.html).
// clang-format off
EM_JS(void, PageShowError, (const char* message), {
  if (Module.vorlaskShowError) Module.vorlaskShowError(UTF8ToString(message));
});
EM_JS(void, PageEnded, (int status), {
  if (Module.vorlaskEnded) Module.vorlaskEnded(status);
});
// clang-format on

}  // namespace

void ShowPageError(const std::string& message) {
  std::fprintf(stderr, "vorlask: %s\n", message.c_str());
  PageShowError(message.c_str());
}

void ShowPageEnded(int status) {
  PageEnded(status);
}

void WebPlatform::Present() {
  SdlPlatform::Present();
  // The browser shows the canvas only once the program hands control back to it; the move
  // animation and the speed measurement draw frame after frame without returning, so each
  // frame is followed by a turn for the browser. The program carries on where it was.
  emscripten_sleep(0);
}

void WebPlatform::ShowError(const std::string& message) {
  // A page cannot hold the game in a modal box; the message stays in the page instead, and
  // the game carries on as it would once the box was closed.
  ShowPageError(message);
}

}  // namespace vorlask
