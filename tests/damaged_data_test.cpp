// Start-up with one damaged bitmap among good ones: the program must refuse to start with one
// message that names the file, without crashing, hanging or allocating what a broken header
// claims, and without a game.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/data_file.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace vorlask::testing {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<unsigned char>;

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A folder of the test's own holding good copies of the six bitmaps, removed afterwards.
class DataFolder {
 public:
  DataFolder() {
    for (const char* name : kBitmapFiles)
      fs::copy_file(fs::path(VORLASK_SOURCE_DATA_DIR) / name, folder_.Path() / name);
  }
  const fs::path& Path() const { return folder_.Path(); }

 private:
  TempFolder folder_;
};

// A start on the data folder that must fail with one message.
struct FailedStart {
  explicit FailedStart(const fs::path& folder) {
    platform.data_folders = {folder.string()};
    EXPECT_FALSE(form.FormCreate());
    EXPECT_EQ(platform.errors.size(), 1u);
    if (!platform.errors.empty()) message = platform.errors[0];
  }
  FakePlatform platform{false};
  TForm3 form{platform};
  std::string message;
};

struct Damage {
  const char* name;
  std::function<void(const fs::path&)> apply;
};

// A damage made by changing the file's bytes.
Damage Edit(const char* name, std::function<void(Bytes&)> edit) {
  return {name, [edit](const fs::path& p) {
            Bytes b = ReadBytes(p);
            edit(b);
            WriteBytes(p, b);
          }};
}

// A header field overwritten with a 32-bit value.
Damage HeaderClaims(const char* name, std::size_t at, std::uint32_t value) {
  return Edit(name, [at, value](Bytes& b) { PutU32(b, at, value); });
}

// One of the crafted files kept in tests/hostile, in the file's place.
Damage Crafted(const char* name) {
  return {name, [name](const fs::path& p) {
            fs::copy_file(fs::path(VORLASK_SOURCE_DIR) / "tests" / "hostile" / name, p,
                          fs::copy_options::overwrite_existing);
          }};
}

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> kDamages = {
      {"empty", [](const fs::path& p) { WriteBytes(p, {}); }},
      Edit("cut to its first half", [](Bytes& b) { b.resize(b.size() / 2); }),
      Edit("cut inside the header", [](Bytes& b) { b.resize(20); }),
      Edit("cut after the header", [](Bytes& b) { b.resize(54); }),
      Edit("wrong signature",
           [](Bytes& b) {
             b[0] = 'X';
             b[1] = 'X';
           }),
      {"a text file", [](const fs::path& p) { WriteBytes(p, Bytes(400, 'x')); }},
      Edit("header claims 100000 by 100000",
           [](Bytes& b) {
             PutU32(b, 18, 100000);
             PutU32(b, 22, 100000);
           }),
      HeaderClaims("header claims the largest negative height", 22, 0x80000000u),
      HeaderClaims("header claims zero width", 18, 0),
      Edit("unknown colour depth",
           [](Bytes& b) {
             b[28] = 7;
             b[29] = 0;
           }),
      HeaderClaims("pixel data offset past the end", 10, 0x7FFFFFF0u),
      // Crafted files that once crashed the start, or cost gigabytes before they were refused.
      Crafted("h11-header-length-wraps.bmp"),
      Crafted("h16-rle8-claims-30000-by-30000.bmp"),
      Crafted("16-bit-claims-20000-by-20000.bmp"),
      Crafted("h12-8-bit-claims-16777323-by-91.bmp"),
      Crafted("core-1-bit-claims-2064-by-65535.bmp"),
      {"a directory",
       [](const fs::path& p) {
         fs::remove(p);
         fs::create_directory(p);
       }},
  };
  return kDamages;
}

TEST(DamagedData, IntactCopiesStart) {
  DataFolder folder;
  FakePlatform platform(false);
  platform.data_folders = {folder.Path().string()};
  TForm3 form(platform);
  EXPECT_TRUE(form.FormCreate());
  EXPECT_TRUE(platform.errors.empty());
  EXPECT_EQ(form.GameActive, 1);
}

TEST(DamagedData, EachBitmapEachDamageRefusesToStartNamingTheFile) {
  for (const char* file : kBitmapFiles) {
    for (const Damage& damage : Damages()) {
      SCOPED_TRACE(std::string(file) + " " + damage.name);
      DataFolder folder;
      damage.apply(folder.Path() / file);
      const auto started = std::chrono::steady_clock::now();
      const FailedStart start(folder.Path());
      EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
      const std::string& message = start.message;
      EXPECT_NE(message.find(std::string("\"") + file + "\""), std::string::npos) << message;
      // Only the damaged file is named, so the person knows which one to replace.
      for (const char* other : kBitmapFiles) {
        if (std::string(other) != file) {
          EXPECT_EQ(message.find(std::string("\"") + other + "\""), std::string::npos) << message;
        }
      }
      // No game: nothing set up, nothing armed, no music.
      EXPECT_EQ(start.form.GameActive, 0);
      EXPECT_EQ(start.form.Board, TBoard());
      EXPECT_FALSE(start.platform.timer.Enabled());
      EXPECT_TRUE(start.platform.media.log.empty());
    }
  }
}

struct Failure {
  const char* file;
  std::function<void(const fs::path&)> apply;
  std::string words;  // "" where this user cannot bring the failure about
};

// Each way a file can fail, and the words that tell it. A case may keep the file open in `held`
// until the case has run.
std::vector<Failure> Failures([[maybe_unused]] std::shared_ptr<void>& held) {
#ifndef _WIN32
  const bool privileged = ::geteuid() == 0;
#endif
  return {
      {"h11.bmp", [](const fs::path& p) { fs::remove(p); }, "\"h11.bmp\" (PATH) is missing."},
      // Pixel rows that run three bytes past the end of a plain 24-bit file.
      {"h12.bmp", Edit("", [](Bytes& b) { b.resize(b.size() - 3); }).apply,
       "\"h12.bmp\" (PATH) is damaged: it is cut short (34719 bytes where the picture needs "
       "34722)."},
      {"h9.bmp", Damages().back().apply, "\"h9.bmp\" (PATH) is not a file: it is a folder."},
#ifdef _WIN32
      // Windows lets a program keep others from a file it has open.
      {"h13.bmp",
       [&held](const fs::path& p) {
         held.reset(CreateFileW(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
                    CloseHandle);
       },
       "\"h13.bmp\" (PATH) cannot be read: it is in use by another program."},
#else
      // A file that grows after it was opened is read at the length it had then (none here).
      {"h12.bmp",
       [](const fs::path& p) {
         fs::remove(p);
         fs::create_symlink("/proc/self/status", p);
       },
       "\"h12.bmp\" (PATH) is damaged: it is empty."},
      {"h13.bmp",
       [](const fs::path& p) {
         fs::remove(p);
         ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
       },
       "\"h13.bmp\" (PATH) is not a file: it is a named pipe."},
      {"h10.bmp", [](const fs::path& p) { fs::permissions(p, fs::perms::none); },
       privileged ? "" : "\"h10.bmp\" (PATH) cannot be read: permission denied."},
      {"h16.bmp", [](const fs::path& p) { fs::permissions(p.parent_path(), fs::perms::none); },
       privileged ? ""
                  : "was not found.\nFolders searched:\n  DIR (this folder cannot be read: "
                    "permission denied)"},
#endif
  };
}

// Each way a file can fail is told in its own words, so that the person looks for the right
// fault: "damaged" is kept for wrong bytes. A named pipe in a file's place is seen for what it
// is without waiting for a writer. Leave to read is only taken away from a user that needs it.
TEST(DamagedData, EachFailureIsToldInItsOwnWords) {
  std::shared_ptr<void> held;  // a file kept open by a case, until the case has run
  for (const Failure& c : Failures(held)) {
    if (c.words.empty()) continue;
    SCOPED_TRACE(c.file);
    DataFolder folder;
    const fs::path path = folder.Path() / c.file;
    c.apply(path);
    const auto start = std::chrono::steady_clock::now();
    std::string message = FailedStart(folder.Path()).message;
    held.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    fs::permissions(folder.Path(), fs::perms::owner_all);
    std::string words = c.words;
    if (const auto at = words.find("PATH"); at != std::string::npos)
      words.replace(at, 4, folder.Path().string() + "/" + c.file);
    if (const auto at = words.find("DIR"); at != std::string::npos) {
      words.replace(at, 3, folder.Path().string());
    }
    EXPECT_NE(message.find(words), std::string::npos) << message;
  }
}

// The files the process holds open, where the system can tell.
int OpenFiles() {
  std::error_code ec;
  const std::filesystem::directory_iterator fds("/proc/self/fd", ec);
  return ec ? -1 : static_cast<int>(std::distance(fds, std::filesystem::directory_iterator()));
}

// A data file of exactly the bound is read whole, one a byte longer is refused, and neither
// leaves its file open; nor does a file held for a library, once let go.
TEST(DataFileReads, TheBoundHoldsToTheByteAndNothingIsLeftOpen) {
  const TempFolder temp;
  const std::filesystem::path file = temp.Path() / "bound.bin";
  WriteBytes(file, std::vector<unsigned char>(1000, 7));
  const int open_before = OpenFiles();
  std::vector<unsigned char> bytes;
  std::string reason;
  EXPECT_EQ(ReadDataFile(file.string(), 1000, bytes, reason), FileResult::kLoaded);
  EXPECT_EQ(bytes.size(), 1000u);
  EXPECT_EQ(ReadDataFile(file.string(), 999, bytes, reason), FileResult::kDamaged);
  EXPECT_NE(reason.find("1000 bytes long, where the game reads at most 999"), std::string::npos)
      << reason;
  HeldDataFile held;
  EXPECT_EQ(HoldDataFile(file.string(), 12, held, reason), FileResult::kLoaded);
  ReleaseDataFile(held);
  EXPECT_EQ(OpenFiles(), open_before);
}

}  // namespace
}  // namespace vorlask::testing
