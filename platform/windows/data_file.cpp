// The one place where data files are opened, on Windows: the same functions as the POSIX body
// in platform/posix/data_file.cpp, in Windows' own terms. Every loader calls these.

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/sdl/data_file.h"
#include "platform/sdl/file_path.h"

namespace vorlask {

namespace {

// The system's own words for an error, as UTF-8, in the form the game's messages use.
std::string SystemText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string words;
  if (length > 0 && text != nullptr) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    words.resize(static_cast<std::size_t>(size > 0 ? size : 0));
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), words.data(), size, nullptr,
                        nullptr);
  }
  LocalFree(text);
  while (!words.empty() &&
         (std::isspace(static_cast<unsigned char>(words.back())) != 0 || words.back() == '.'))
    words.pop_back();
  if (words.empty()) return "system error " + std::to_string(error);
  words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
  return words;
}

std::string Reason(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
      return "permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "it is in use by another program";
    default:
      return SystemText(error);
  }
}

// Opens the file for reading and says what stands at the path. Others may read it meanwhile,
// but nobody may write, replace or remove it while it is open, so the bytes read are the bytes
// of the file that was looked at.
FileResult OpenDataFile(const std::string& path, HANDLE& file, std::uint64_t& size,
                        std::string& reason) {
  const std::filesystem::path name = FilePath(path);
  file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_INVALID_NAME || error == ERROR_DIRECTORY) {
      return FileResult::kMissing;
    }
    reason = Reason(error);
    if (error != ERROR_ACCESS_DENIED) return FileResult::kUnreadable;
    // A folder cannot be opened as a file at all, and says so only as a denied access; a file
    // whose very attributes are denied lies in a folder that may not be read.
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      reason = "it is a folder";
      return FileResult::kNotAFile;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_ACCESS_DENIED) {
      return FileResult::kFolderUnreadable;
    }
    return FileResult::kUnreadable;
  }
  // What was opened, not what the path named a moment before: a pipe or a device (NUL, CON,
  // a serial port) would wait for input that may never come.
  switch (GetFileType(file)) {
    case FILE_TYPE_DISK: {
      LARGE_INTEGER length;
      if (GetFileSizeEx(file, &length) == 0) {
        reason = Reason(GetLastError());
        CloseHandle(file);
        return FileResult::kUnreadable;
      }
      size = static_cast<std::uint64_t>(length.QuadPart);
      return FileResult::kLoaded;
    }
    case FILE_TYPE_PIPE:
      reason = "it is a named pipe";
      break;
    case FILE_TYPE_CHAR:
      reason = "it is a device";
      break;
    default:
      reason = "it is not a regular file";
      break;
  }
  CloseHandle(file);
  return FileResult::kNotAFile;
}

// Reads up to `count` bytes from where the file stands; false with the reason on an error.
bool ReadUpTo(HANDLE file, unsigned char* into, std::size_t count, std::size_t& got,
              std::string& reason) {
  got = 0;
  while (got < count) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - got, 1u << 30));
    DWORD n = 0;
    if (ReadFile(file, into + got, want, &n, nullptr) == 0) {
      reason = Reason(GetLastError());
      return false;
    }
    if (n == 0) break;
    got += n;
  }
  return true;
}

}  // namespace

FileResult ReadDataFile(const std::string& path, std::size_t limit,
                        std::vector<unsigned char>& bytes, std::string& reason) {
  bytes.clear();
  HANDLE file = INVALID_HANDLE_VALUE;
  std::uint64_t size = 0;
  if (const FileResult opened = OpenDataFile(path, file, size, reason);
      opened != FileResult::kLoaded) {
    return opened;
  }
  if (size > limit) {
    reason = "it is " + std::to_string(size) + " bytes long, where the game reads at most " +
             std::to_string(limit);
    CloseHandle(file);
    return FileResult::kDamaged;
  }
  // Never more than the length seen when it was opened, as on other systems.
  bytes.resize(static_cast<std::size_t>(size));
  std::size_t got = 0;
  const bool read = ReadUpTo(file, bytes.data(), bytes.size(), got, reason);
  CloseHandle(file);
  if (!read) {
    bytes.clear();
    return FileResult::kUnreadable;
  }
  bytes.resize(got);
  return FileResult::kLoaded;
}

FileResult HoldDataFile(const std::string& path, std::size_t head_size, HeldDataFile& held,
                        std::string& reason) {
  ReleaseDataFile(held);
  HANDLE file = INVALID_HANDLE_VALUE;
  std::uint64_t size = 0;
  if (const FileResult opened = OpenDataFile(path, file, size, reason);
      opened != FileResult::kLoaded) {
    return opened;
  }
  held.head.resize(head_size);
  std::size_t got = 0;
  if (!ReadUpTo(file, held.head.data(), head_size, got, reason)) {
    CloseHandle(file);
    held.head.clear();
    return FileResult::kUnreadable;
  }
  held.head.resize(got);
  held.size = size;
  held.handle = reinterpret_cast<std::intptr_t>(file);
  // Windows has no name for the opened file itself. The path names the same file for as long
  // as it is held: it is shared for reading only, so nobody can replace or change it meanwhile.
  held.name = path;
  return FileResult::kLoaded;
}

void ReleaseDataFile(HeldDataFile& held) {
  if (held.handle >= 0) CloseHandle(reinterpret_cast<HANDLE>(held.handle));
  held = HeldDataFile{};
}

bool ReadHeldData(const HeldDataFile& held, std::uint64_t offset, std::size_t size,
                  std::vector<unsigned char>& out) {
  const auto file = reinterpret_cast<HANDLE>(held.handle);
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  std::size_t got = 0;
  std::string reason;
  out.resize(size);
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != 0 &&
         ReadUpTo(file, out.data(), size, got, reason) && got == size;
}

// The music's instruments on Windows are Timidity's, which loads only what a tune plays.
bool HoldMadeFile(const std::vector<unsigned char>&, HeldDataFile&) {
  return false;
}

}  // namespace vorlask
