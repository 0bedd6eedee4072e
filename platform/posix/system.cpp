// What a POSIX system answers alike on the Linux desktop and in the page.

#include <ctime>

#include "platform/sdl/system.h"

namespace vorlask {

bool LocalTime(std::time_t when, std::tm& local) {
  return localtime_r(&when, &local) != nullptr;
}

// stderr reaches whoever started the program already.
void ConnectMessages() {}

// The game joins folders and files with '/', as the system does.
std::string AsShown(const std::string& message) {
  return message;
}

}  // namespace vorlask
