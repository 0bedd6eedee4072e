#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace vorlask::testing {

// A folder of the running test's own, made afresh under the system's temporary folder and
// removed with everything in it afterwards. Its name starts with the test's name and is made
// unique by mkdtemp, so that two test programs on one machine never share a file.
class TempFolder {
 public:
  TempFolder() {
    std::string name = "vorlask";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
      name += std::string("-") + info->test_suite_name() + "-" + info->name();
      for (char& c : name)
        if (c == '/') c = '_';
    }
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "cannot make a temporary folder from " << pattern;
      pattern.clear();
    }
    path_ = pattern;
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

}  // namespace vorlask::testing
