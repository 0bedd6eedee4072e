#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace vorlask::testing {

// A folder of the running test's own, made afresh under the system's temporary folder and
// removed with everything in it afterwards. Its name starts with the test's name and ends in a
// random number; only a folder that did not exist yet is taken, so that two test programs on
// one machine never share a file.
class TempFolder {
 public:
  TempFolder() {
    std::string name = "vorlask";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
      name += std::string("-") + info->test_suite_name() + "-" + info->name();
      for (char& c : name)
        if (c == '/') c = '_';
    }
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::filesystem::path folder = base / (name + "-" + std::to_string(random()));
      std::error_code ec;
      if (std::filesystem::create_directory(folder, ec)) path_ = folder;
    }
    if (path_.empty()) ADD_FAILURE() << "cannot make a temporary folder in " << base;
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A file's bytes, or none when it cannot be read.
inline std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vorlask::testing
