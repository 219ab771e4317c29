#include "model/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../test_files.h"
#include "model/errors.h"

namespace {

namespace fs = std::filesystem;

using kuma::test::ReadFile;

class AtomicFileTest : public kuma::test::FolderTest {
 protected:
  AtomicFileTest() : FolderTest("kuma-atomic-") {}
  void TearDown() override {
    kuma::SetAtomicWriteFailureForTesting(-1, 0);
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    FolderTest::TearDown();
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
};

TEST_F(AtomicFileTest, WritesAndReplacesKeepingTheMode) {
  const fs::path p = dir_ / "report.txt";
  kuma::WriteFileAtomic(p.string(), "first");
  EXPECT_EQ(ReadFile(p), "first");
  ::chmod(p.c_str(), 0640);
  kuma::WriteFileAtomic(p.string(), std::string("second\0x", 8));
  EXPECT_EQ(ReadFile(p), std::string("second\0x", 8));
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
  EXPECT_EQ(ReadFile(p), "old picture");
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
    EXPECT_EQ(ReadFile(p), "kept");
  }
}

TEST_F(AtomicFileTest, WritesStraightToDevices) {
  kuma::WriteFileAtomic("/dev/null", "nothing");
  EXPECT_THROW(kuma::WriteFileAtomic("/dev/full", "full"), kuma::Error);
}

// A real full disk: a 64 KB tmpfs (mounting needs root; elsewhere the
// injected failure above stands in for it).
TEST_F(AtomicFileTest, AFullFileSystemKeepsTheOldFile) {
  const fs::path mount = dir_ / "small-disk";
  fs::create_directories(mount);
  if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  struct Unmount {
    fs::path at;
    ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
  } unmount{mount};
  const fs::path p = mount / "result.txt";
  kuma::WriteFileAtomic(p.string(), "the old report");
  try {
    kuma::WriteFileAtomic(p.string(), std::string(256 * 1024, 'x'));
    FAIL() << "a 256 KB file fitted on a 64 KB disk";
  } catch (const kuma::Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot write file \"" + p.string() + "\". No space left on device");
  }
  EXPECT_EQ(ReadFile(p), "the old report");
  EXPECT_EQ(std::distance(fs::directory_iterator(mount), fs::directory_iterator()), 1);
}

// Several files as one save: the third failing leaves all three old ones.
TEST_F(AtomicFileTest, ASetOfFilesIsWrittenWholeOrNotAtAll) {
  const std::string a = (dir_ / "pmx.jpg").string(), b = (dir_ / "pmy.jpg").string(),
                    c = (dir_ / "mm.jpg").string();
  kuma::WriteFilesAtomic({{a, "old a"}, {b, "old b"}, {c, "old c"}});
  kuma::SetAtomicWriteFailureForTesting(10, ENOSPC);  // each file: 10 bytes, then full
  EXPECT_THROW(kuma::WriteFilesAtomic({{a, "new a"}, {b, "new b"}, {c, "a new c too long"}}),
               kuma::Error);
  EXPECT_EQ(ReadFile(a), "old a");
  EXPECT_EQ(ReadFile(b), "old b");
  EXPECT_EQ(ReadFile(c), "old c");
  ExpectOnly({"pmx.jpg", "pmy.jpg", "mm.jpg"});
  kuma::SetAtomicWriteFailureForTesting(-1, 0);
  kuma::WriteFilesAtomic({{a, "new a"}, {b, "new b"}, {c, "new c"}});
  EXPECT_EQ(ReadFile(a) + ReadFile(b) + ReadFile(c), "new anew bnew c");
}

TEST_F(AtomicFileTest, SavingThroughALinkReplacesTheFileItLeadsTo) {
  const fs::path target = dir_ / "report.txt", link = dir_ / "latest.txt";
  kuma::WriteFileAtomic(target.string(), "old");
  fs::create_symlink("report.txt", link);
  kuma::WriteFileAtomic(link.string(), "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(target), "new");
  ExpectOnly({"report.txt", "latest.txt"});
}

TEST_F(AtomicFileTest, LongNamesOwnersAndReadOnlyFiles) {
  const std::string name(250, 'r');  // the temporary name must stay within 255 bytes
  kuma::WriteFileAtomic((dir_ / name).string(), "long");
  EXPECT_EQ(ReadFile(dir_ / name), "long");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  if (::geteuid() == 0) {  // an administrator's save keeps the user's file the user's
    const fs::path p = dir_ / "owned.txt";
    kuma::WriteFileAtomic(p.string(), "mine");
    ASSERT_EQ(::chown(p.c_str(), 4321, 4321), 0);
    kuma::WriteFileAtomic(p.string(), "still mine");
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
  } else {  // root may write any file
    const fs::path p = dir_ / "locked.txt";
    kuma::WriteFileAtomic(p.string(), "locked");
    ::chmod(p.c_str(), 0444);
    EXPECT_THROW(kuma::WriteFileAtomic(p.string(), "changed"), kuma::Error);
    EXPECT_EQ(ReadFile(p), "locked");
  }
}

}  // namespace
