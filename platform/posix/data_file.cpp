// The one place where data files are opened, for systems with POSIX files. Another system
// gives the same functions a body of its own in its own folder; every loader calls these.

#include "platform/sdl/data_file.h"

#include <fcntl.h>
#if defined(__linux__)
#include <sys/mman.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

namespace vorlask {

namespace {

std::string Reason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "permission denied";
    case ELOOP:
      return "its symbolic links lead round in a loop";
    default: {
      std::string text = std::strerror(error);
      if (!text.empty()) text[0] = static_cast<char>(std::tolower(text[0]));
      return text;
    }
  }
}

// Opens the file without following a named pipe's wait and says what stands at the path.
FileResult OpenDataFile(const std::string& path, int& fd, struct stat& status,
                        std::string& reason) {
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return FileResult::kMissing;
    reason = Reason(error);
    // Whether the file or its folder refused: looking a name up needs only the folder's leave.
    struct stat seen;
    if (error == EACCES && ::stat(path.c_str(), &seen) != 0 && errno == EACCES) {
      return FileResult::kFolderUnreadable;
    }
    return FileResult::kUnreadable;
  }
  if (::fstat(fd, &status) != 0) {
    reason = Reason(errno);
    ::close(fd);
    return FileResult::kUnreadable;
  }
  if (S_ISREG(status.st_mode)) return FileResult::kLoaded;
  if (S_ISDIR(status.st_mode)) {
    reason = "it is a folder";
  } else if (S_ISFIFO(status.st_mode)) {
    reason = "it is a named pipe";
  } else if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
    reason = "it is a device";
  } else {
    reason = "it is not a regular file";
  }
  ::close(fd);
  return FileResult::kNotAFile;
}

}  // namespace

FileResult ReadDataFile(const std::string& path, std::size_t limit,
                        std::vector<unsigned char>& bytes, std::string& reason) {
  bytes.clear();
  int fd = -1;
  struct stat status;
  if (const FileResult opened = OpenDataFile(path, fd, status, reason);
      opened != FileResult::kLoaded) {
    return opened;
  }
  const auto size = static_cast<std::uint64_t>(status.st_size);
  if (size > limit) {
    reason = "it is " + std::to_string(size) + " bytes long, where the game reads at most " +
             std::to_string(limit);
    ::close(fd);
    return FileResult::kDamaged;
  }
  // Never more than the length seen when it was opened: a file that grows meanwhile is read as
  // it was, and one that shrinks gives what is left, for the loader's check to judge.
  bytes.resize(static_cast<std::size_t>(size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      reason = Reason(errno);
      ::close(fd);
      bytes.clear();
      return FileResult::kUnreadable;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  ::close(fd);
  return FileResult::kLoaded;
}

FileResult HoldDataFile(const std::string& path, std::size_t head_size, HeldDataFile& held,
                        std::string& reason) {
  ReleaseDataFile(held);
  int fd = -1;
  struct stat status;
  if (const FileResult opened = OpenDataFile(path, fd, status, reason);
      opened != FileResult::kLoaded) {
    return opened;
  }
  held.size = static_cast<std::uint64_t>(status.st_size);
  held.head.resize(head_size);
  const ssize_t n = ::pread(fd, held.head.data(), head_size, 0);
  if (n < 0) {
    reason = Reason(errno);
    ::close(fd);
    held.head.clear();
    return FileResult::kUnreadable;
  }
  held.head.resize(static_cast<std::size_t>(n));
  held.handle = fd;
  // Linux names every open file of a process; opening that name opens the same file again,
  // whatever has become of its path since. Elsewhere the path is all there is.
  const std::string own = "/proc/self/fd/" + std::to_string(fd);
  struct stat seen;
  const bool same = ::stat(own.c_str(), &seen) == 0 && seen.st_dev == status.st_dev &&
                    seen.st_ino == status.st_ino;
  held.name = same ? own : path;
  return FileResult::kLoaded;
}

void ReleaseDataFile(HeldDataFile& held) {
  if (held.handle >= 0) ::close(static_cast<int>(held.handle));
  held = HeldDataFile{};
}

bool ReadHeldData(const HeldDataFile& held, std::uint64_t offset, std::size_t size,
                  std::vector<unsigned char>& out) {
  out.resize(size);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(static_cast<int>(held.handle), out.data() + got, size - got,
                              static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

bool HoldMadeFile([[maybe_unused]] const std::vector<unsigned char>& bytes,
                  [[maybe_unused]] HeldDataFile& held) {
#if defined(__linux__)
  ReleaseDataFile(held);
  const int fd = ::memfd_create("vorlask", MFD_CLOEXEC);
  if (fd < 0) return false;
  std::size_t put = 0;
  while (put < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + put, bytes.size() - put);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    put += static_cast<std::size_t>(n);
  }
  held.handle = fd;
  held.size = bytes.size();
  held.name = "/proc/self/fd/" + std::to_string(fd);
  return true;
#else
  return false;
#endif
}

}  // namespace vorlask
