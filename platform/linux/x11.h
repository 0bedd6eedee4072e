#pragma once

namespace vorlask {

// From now on a request about a window that has gone away does not end the program.
void TolerateVanishedWindows();

}  // namespace vorlask
