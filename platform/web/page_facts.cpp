// Writes what the page must know of the program before the program has arrived, as a script
// that the build puts into the page: the picture's size and the part of it that shows the board
// (game/layout.h), the key each of the page's controls stands for, and the hooks the page must
// offer (page.h). Run once by the build, under node.

#include <cstdio>

#include "game/layout.h"
#include "platform/web/page.h"

int main() {
  namespace layout = vorlask::layout;
  std::printf("{\"picture\": {\"x\": 0, \"y\": 0, \"w\": %d, \"h\": %d}, ", vorlask::kClientWidth,
              vorlask::kClientHeight);
  std::printf("\"board\": {\"x\": %d, \"y\": %d, \"w\": %d, \"h\": %d}, ", layout::kBoardPartX,
              layout::kBoardPartY, layout::kBoardPartWidth, layout::kBoardPartHeight);
  std::printf("\"square\": %d, \"box\": %d, \"keys\": {", vorlask::kTileSize, layout::kBoxHeight);
  const char* comma = "";
  for (const char command : vorlask::kPageCommands) {
    std::printf("%s\"%c\": %d", comma, command, command);
    comma = ", ";
  }
  std::printf("}, \"hooks\": [");
  comma = "";
#define VORLASK_PRINT_HOOK(name)         \
  std::printf("%s\"" #name "\"", comma); \
  comma = ", ";
  VORLASK_PAGE_HOOKS(VORLASK_PRINT_HOOK)
#undef VORLASK_PRINT_HOOK
  std::printf("], \"command\": \"_vorlask_page_command\"}\n");
  return 0;
}
