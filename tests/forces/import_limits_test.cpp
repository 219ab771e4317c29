// What the import refuses before it takes the memory: files over 2 GB and
// over 20 million lines. Both leave the previous table in place.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "../error_of.h"
#include "forces/forces.h"
#include "model/errors.h"

namespace kuma {
namespace {

std::string Caught(const std::function<void()>& action) {
  return test::ErrorOf(action, "no error");
}

TEST(ImportLimits, FileOverTwoGigabytesIsRefusedUnread) {
  // A sparse file: its size is 2 GB and one byte, its blocks are not there.
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("kuma_large_" + std::to_string(::getpid()) + ".csv"))
                               .string();
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  const bool sized = ::ftruncate(fd, static_cast<off_t>(kMaxForceFileBytes + 1)) == 0;
  ::close(fd);
  if (!sized) {
    std::remove(path.c_str());
    GTEST_SKIP() << "no sparse file of 2 GB here";
  }
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {"h,h,h,h,P,h,h,h,M2,M3", "a,a,a,a,-1,a,a,a,2,3"});
  const std::string message = Caught([&] { ImportForces(form, table, path); });
  std::remove(path.c_str());
  EXPECT_EQ(message,
            "文件 \"" + path +
                "\" 有 2147483649 字节, 超过了能读取的 2 GB (2147483648 字节); 未导入任何内力。");
  EXPECT_EQ(table.Count, 1);
}

TEST(ImportLimits, MoreThanTwentyMillionLinesIsRefused) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {"h,h,h,h,P,h,h,h,M2,M3", "a,a,a,a,-1,a,a,a,2,3"});
  std::string text(kMaxForceFileLines + 1, '\n');
  EXPECT_EQ(Caught([&] { ImportForceBytes(form, table, std::move(text), "many.csv"); }),
            "文件超过了能读取的 20000000 行; 未导入任何内力。");
  EXPECT_EQ(table.Count, 1);
  EXPECT_EQ(form.Text("Label66"), "导入内力组合的总数量 = 1");
}

// A device that never ends is refused at its first block, not read into
// memory up to the limit.
TEST(ImportLimits, EndlessZerosAreRefusedAtOnce) {
  if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP();
  MapForm form;
  ForceTable table;
  EXPECT_EQ(Caught([&] { ImportForces(form, table, "/dev/zero"); }),
            "文件含有零字节, 不是文本文件 (或是未知的编码); 未导入任何内力。");
}

}  // namespace
}  // namespace kuma
