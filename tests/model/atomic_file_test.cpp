#include "model/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/errors.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kuma-atomic-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    kuma::SetAtomicWriteFailureForTesting(-1, 0);
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  // Only the named files are in the folder: no temporary file left behind.
  void ExpectOnly(std::initializer_list<const char*> names) {
    std::size_t count = 0;
    for (const auto& e : fs::directory_iterator(dir_)) {
      ++count;
      EXPECT_NE(std::find_if(names.begin(), names.end(),
                             [&](const char* n) { return e.path().filename() == n; }),
                names.end())
          << e.path();
    }
    EXPECT_EQ(count, names.size());
  }
  fs::path dir_;
};

TEST_F(AtomicFileTest, WritesAndReplacesKeepingTheMode) {
  const fs::path p = dir_ / "report.txt";
  kuma::WriteFileAtomic(p.string(), "first");
  EXPECT_EQ(ReadAll(p), "first");
  ::chmod(p.c_str(), 0640);
  kuma::WriteFileAtomic(p.string(), std::string("second\0x", 8));
  EXPECT_EQ(ReadAll(p), std::string("second\0x", 8));
  struct stat st {};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  ExpectOnly({"report.txt"});
}

TEST_F(AtomicFileTest, AFailedWriteLeavesTheOldFileExactlyAsItWas) {
  const fs::path p = dir_ / "section.jpg";
  kuma::WriteFileAtomic(p.string(), "old picture");
  kuma::SetAtomicWriteFailureForTesting(3, ENOSPC);
  try {
    kuma::WriteFileAtomic(p.string(), "a much longer new picture");
    FAIL() << "no error";
  } catch (const kuma::Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot write file \"" + p.string() + "\". No space left on device");
  }
  EXPECT_EQ(ReadAll(p), "old picture");
  ExpectOnly({"section.jpg"});
}

TEST_F(AtomicFileTest, RefusesFoldersAndMissingOrReadOnlyFolders) {
  EXPECT_THROW(kuma::WriteFileAtomic(dir_.string(), "x"), kuma::Error);
  EXPECT_THROW(kuma::WriteFileAtomic((dir_ / "missing" / "f.txt").string(), "x"), kuma::Error);
  EXPECT_THROW(kuma::WriteFileAtomic("", "x"), kuma::Error);
  if (::geteuid() != 0) {  // root writes into read-only folders
    const fs::path p = dir_ / "kept.txt";
    kuma::WriteFileAtomic(p.string(), "kept");
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(kuma::WriteFileAtomic(p.string(), "lost?"), kuma::Error);
    EXPECT_EQ(ReadAll(p), "kept");
  }
}

TEST_F(AtomicFileTest, WritesStraightToDevices) {
  kuma::WriteFileAtomic("/dev/null", "nothing");
  EXPECT_THROW(kuma::WriteFileAtomic("/dev/full", "full"), kuma::Error);
}

}  // namespace
