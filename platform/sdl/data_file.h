#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace vorlask {

// Every data file of the game (bitmaps, tunes, the font) is opened here, once, and read whole
// into memory; its loader checks those bytes and hands the same bytes on. Nothing opens the
// path a second time, so nothing can be swapped in between the check and the load.
//
// The file is opened without waiting (a named pipe in its place would otherwise block the
// open until someone writes to it), and what was opened is looked at before anything is read:
// it must be a regular file of at most `limit` bytes. A file that changes length while it is
// read gives the bytes read, never more than its length when it was opened.
//
// kLoaded: `bytes` holds the file. Otherwise `reason` says what is wrong, in the game's words:
// kMissing (no such file), kUnreadable ("permission denied", ...), kFolderUnreadable (the folder
// may not be searched), kNotAFile ("it is a folder", "it is a named pipe", ...), or kDamaged
// (longer than `limit`).
FileResult ReadDataFile(const std::string& path, std::size_t limit,
                        std::vector<unsigned char>& bytes, std::string& reason);

// A data file that a library insists on reading by name (the synthesizer's sound font), opened
// and looked at as above, and kept open until ReleaseDataFile. `name` is a name of the opened
// file itself, not of its path ("/proc/self/fd/N" where the system has such names), so that
// the library reads the very file that was checked. `head` holds its first bytes.
struct HeldDataFile {
  std::intptr_t handle = -1;
  std::string name;
  std::uint64_t size = 0;
  std::vector<unsigned char> head;
};
FileResult HoldDataFile(const std::string& path, std::size_t head_size, HeldDataFile& held,
                        std::string& reason);
void ReleaseDataFile(HeldDataFile& held);
// Reads `size` bytes of a held file from `offset`; false when they cannot all be read.
bool ReadHeldData(const HeldDataFile& held, std::uint64_t offset, std::size_t size,
                  std::vector<unsigned char>& out);
// Holds bytes the game made as a file that a library can read by name, in memory and nowhere
// else; false where the system has no such files.
bool HoldMadeFile(const std::vector<unsigned char>& bytes, HeldDataFile& held);

}  // namespace vorlask
