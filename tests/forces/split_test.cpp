// Splitting of force-file lines into fields, of text into lines, and the
// choice between UTF-8 and GBK for a file's bytes.
#include <gtest/gtest.h>

#include "forces/forces.h"
#include "model/gbk.h"

namespace kuma {
namespace {

CsvFields Split(const std::string& line) {
  CsvFields fields;
  fields.fill("stale");
  SplitCsvLine(line, fields);
  return fields;
}

TEST(SplitCsvLine, DropsBlanksNextToCommas) {
  CsvFields f = Split("a, b ,c");
  EXPECT_EQ(f[0], "a");
  EXPECT_EQ(f[1], "b");
  EXPECT_EQ(f[2], "c");
  EXPECT_EQ(f[3], "");
}

TEST(SplitCsvLine, TrimsControlCharactersButKeepsInnerBlanks) {
  CsvFields f = Split("\t Story 1 \r,\x01-12.5\x7f,\r");
  EXPECT_EQ(f[0], "Story 1");
  EXPECT_EQ(f[1], "-12.5");
  EXPECT_EQ(f[2], "");
}

TEST(SplitCsvLine, LeadingCommaGivesEmptyFirstField) {
  CsvFields f = Split(",x,y");
  EXPECT_EQ(f[0], "");
  EXPECT_EQ(f[1], "x");
  EXPECT_EQ(f[2], "y");
}

TEST(SplitCsvLine, EmptyLineIsOneEmptyFieldAndEmptiesEverySlot) {
  CsvFields f = Split("");
  for (const std::string& s : f) EXPECT_EQ(s, "");
}

TEST(SplitCsvLine, KeepsTheFirstFortyOfFortyFiveFields) {
  std::string line;
  for (int i = 1; i <= 45; ++i) line += (i > 1 ? "," : "") + std::to_string(i);
  CsvFields f = Split(line);
  EXPECT_EQ(f[0], "1");
  EXPECT_EQ(f[39], "40");
}

TEST(SplitCsvLine, EmptiesSlotsLeftFromALongerLine) {
  CsvFields fields;
  SplitCsvLine("1,2,3,4,5,6,7,8,9,10", fields);
  SplitCsvLine("a,b", fields);
  EXPECT_EQ(fields[1], "b");
  for (std::size_t i = 2; i < fields.size(); ++i) EXPECT_EQ(fields[i], "") << i;
}

TEST(SplitCsvLine, KeepsChineseTextWhole) {
  CsvFields f = Split(" 楼层 ,组合");
  EXPECT_EQ(f[0], "楼层");
  EXPECT_EQ(f[1], "组合");
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> out;
  for (std::string_view v : SplitTextLines(text)) out.emplace_back(v);
  return out;
}

TEST(SplitTextLines, BreaksAtCrLfLfAndLoneCr) {
  EXPECT_EQ(Lines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(SplitTextLines, FinalLineEndStartsNoLineButBlankLinesCount) {
  EXPECT_EQ(Lines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Lines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Lines("\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(Lines("").empty());
}

TEST(DecodeForceText, KeepsUtf8AndDropsItsByteOrderMark) {
  EXPECT_EQ(DecodeForceText("\xEF\xBB\xBF楼层,P"), "楼层,P");
  EXPECT_EQ(DecodeForceText("楼层,P"), "楼层,P");
  EXPECT_EQ(DecodeForceText("Story,P\r\n"), "Story,P\r\n");
}

TEST(DecodeForceText, ReadsOtherBytesAsGbk) {
  EXPECT_EQ(DecodeForceText(Utf8ToGbk("楼层,轴力P")), "楼层,轴力P");
}

}  // namespace
}  // namespace kuma
