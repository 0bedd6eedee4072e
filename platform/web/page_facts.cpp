// Writes what the page must know of the program before the program has arrived, as a script
// that the build puts into the page: the picture's size, the part of it that shows the board and
// its panel (game/layout.h), the key each of the page's controls stands for, and the hooks the page must
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
  std::printf("\"panel\": {\"x\": %d, \"y\": 0, \"w\": %d, \"h\": %d}, ", layout::kMessageLeft,
              vorlask::kClientWidth - layout::kMessageLeft, vorlask::kClientHeight);
  std::printf("\"square\": %d, \"box\": %d, \"keys\": {", vorlask::kTileSize, layout::kBoxHeight);
  const char* comma = "";
  for (const char command : vorlask::kPageCommands) {
    if (command == '\r') continue;  // Enter is sent for Space on the board, below
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
  std::printf("], \"command\": \"_vorlask_page_command\", \"enter\": 13, ");
  std::printf("\"squareCommand\": \"_vorlask_page_square\", ");
  std::printf("\"squares\": {\"x\": %d, \"y\": %d, \"pitch\": %d, \"size\": %d}}\n",
              layout::SquareX(2), layout::SquareY(2), layout::kSquarePitch, vorlask::kTileSize);
  return 0;
}
