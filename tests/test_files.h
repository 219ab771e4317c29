#pragma once
// Files in the tests: a whole file read back, a temporary folder for the
// test program, and a fixture with a fresh folder for each test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace kuma::test {

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The folder named `prefix` and the process id in the temporary folder.
inline std::filesystem::path ProcessFolder(const std::string& prefix) {
  return std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()));
}

// A folder of this process in the temporary folder, empty when made and
// removed with its contents when destroyed.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix) : dir_(ProcessFolder(prefix)) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    std::filesystem::create_directories(dir_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

// A test with a folder of its own, `dir_`: made empty before the test and
// removed after it.
class FolderTest : public ::testing::Test {
 protected:
  explicit FolderTest(const std::string& prefix) : dir_(ProcessFolder(prefix)) {}

  void SetUp() override {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
};

}  // namespace kuma::test
