// Vorlask: one wolf against four hunters. The program takes no arguments and reads no settings;
// it finds its data files in the current directory or where it is installed.

#include "platform/sdl/startup.h"

int main(int, char*[]) {
  return vorlask::RunVorlask();
}
