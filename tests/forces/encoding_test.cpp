// UTF-8 and GBK conversion.
#include <gtest/gtest.h>

#include "model/gbk.h"

namespace kuma {
namespace {

TEST(Gbk, ChineseCharactersTakeTwoBytes) {
  // 轴 = D6E1, 力 = C1A6 in GBK.
  EXPECT_EQ(Utf8ToGbk("轴力P"), "\xD6\xE1\xC1\xA6P");
  EXPECT_EQ(GbkToUtf8("\xD6\xE1\xC1\xA6P"), "轴力P");
}

TEST(Gbk, RoundTripsTheProgramsTexts) {
  for (const char* text : {"PMM曲线关键点数据", "弯矩Mx         ", "导入内力组合的总数量 = 3",
                           "kN·m", "", "ASCII only, 1.5e-3"}) {
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk(text)), text);
  }
}

TEST(Gbk, CharactersOutsideGbkBecomeQuestionMarks) {
  // U+1F600 (four UTF-8 bytes) and U+0E01 (Thai) are not in GBK.
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80"
                      "b\xE0\xB8\x81"
                      "c"),
            "a?b?c");
}

// The calculation sheet writes mm², l0² and "34 − 12·M1/M2": GBK has no
// superscripts or minus sign, so they go out as their plain forms rather
// than as question marks.
TEST(Gbk, SuperscriptsAndTheMinusSignGoOutPlain) {
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk("N/mm\u00b2, m\u00b3, 34 \u2212 12")), "N/mm2, m3, 34 - 12");
}

TEST(Gbk, InvalidUtf8BytesBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b\xC3"),
            "a?b?");
}

TEST(Gbk, InvalidGbkBecomesReplacementCharacters) {
  // A lead byte before a digit (no GBK trail byte) and a byte that leads
  // nothing: the digit survives.
  EXPECT_EQ(GbkToUtf8("\xD6"
                      "1,\xFF"),
            "\xEF\xBF\xBD"
            "1,\xEF\xBF\xBD");
  EXPECT_EQ(GbkToUtf8("x\xD6"), "x\xEF\xBF\xBD");
}

TEST(Gbk, LongTextsConvertWhole) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "轴力";
  std::string gbk = Utf8ToGbk(text);
  EXPECT_EQ(gbk.size(), 80000u);
  EXPECT_EQ(GbkToUtf8(gbk), text);
}

TEST(IsValidUtf8, AcceptsWellFormedAndRejectsTheRest) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("轴力\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xD6\xE1\xC1\xA6"));  // GBK 轴力
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE8\xBD"));          // cut off
}

}  // namespace
}  // namespace kuma
