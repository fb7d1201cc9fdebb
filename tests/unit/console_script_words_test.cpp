// The scenario scripts' word syntax: quoting, escapes, comments, numbers and
// hex byte lists.
#include <gtest/gtest.h>

#include "tools/scenario/words.h"

using scenario::ParseHexBytes;
using scenario::ParseNumber;
using scenario::SplitWords;
using scenario::Word;

namespace {

std::vector<std::string> Texts(const std::string& line) {
  std::vector<Word> words;
  std::string error;
  EXPECT_TRUE(SplitWords(line, words, error)) << line;
  std::vector<std::string> texts;
  for (const auto& w : words) texts.push_back(w.text);
  return texts;
}

using V = std::vector<std::string>;

TEST(ConsoleWords, BlanksSeparateAndCommentsEnd) {
  EXPECT_EQ(Texts("  expect\tstep   1 "), (V{"expect", "step", "1"}));
  EXPECT_EQ(Texts("# whole line"), V{});
  EXPECT_EQ(Texts("click next # then step 2"), (V{"click", "next"}));
  EXPECT_EQ(Texts("abc#def ghi"), V{"abc"});
  EXPECT_EQ(Texts(""), V{});
}

TEST(ConsoleWords, QuotesKeepBlanksAndHashes) {
  EXPECT_EQ(Texts("expect title \"Počet Filtrů v3.0\""), (V{"expect", "title", "Počet Filtrů v3.0"}));
  EXPECT_EQ(Texts("\"a # b\" c"), (V{"a # b", "c"}));
  EXPECT_EQ(Texts("type=\"Zelt KAF\" count=5"), (V{"type=Zelt KAF", "count=5"}));
  EXPECT_EQ(Texts("a\"b c\"d"), V{"ab cd"});
  EXPECT_EQ(Texts("\"\" x"), (V{"", "x"}));
}

TEST(ConsoleWords, OnlyQuoteAndBackslashAreEscaped) {
  EXPECT_EQ(Texts(R"("say \"hi\"" "a\\b")"), (V{"say \"hi\"", "a\\b"}));
  // Registry paths need no doubling, inside quotes or out.
  EXPECT_EQ(Texts(R"("HKCU\Software\Kelvane" HKLM\SYSTEM)"), (V{"HKCU\\Software\\Kelvane", "HKLM\\SYSTEM"}));
  EXPECT_EQ(Texts(R"("ends with \\")"), V{"ends with \\"});
}

TEST(ConsoleWords, QuotedStarIsNoWildcard) {
  std::vector<Word> words;
  std::string error;
  ASSERT_TRUE(SplitWords("* \"*\" **", words, error));
  ASSERT_EQ(words.size(), 3u);
  EXPECT_TRUE(words[0].IsWildcard());
  EXPECT_FALSE(words[1].IsWildcard());
  EXPECT_FALSE(words[2].IsWildcard());
}

TEST(ConsoleWords, UnterminatedQuoteIsAnError) {
  std::vector<Word> words;
  std::string error;
  EXPECT_FALSE(SplitWords("expect title \"Ravik KAI", words, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(SplitWords(R"("escaped end \")", words, error));
}

TEST(ConsoleNumbers, DecimalHexAndSign) {
  std::int64_t v = 0;
  EXPECT_TRUE(ParseNumber("1030", 0, 0xFFFF, v));
  EXPECT_EQ(v, 1030);
  EXPECT_TRUE(ParseNumber("0x3FF80", 0, 0x3FFFF, v));
  EXPECT_EQ(v, 0x3FF80);
  EXPECT_TRUE(ParseNumber("0Xff", 0, 255, v));
  EXPECT_EQ(v, 255);
  EXPECT_TRUE(ParseNumber("-10", INT32_MIN, INT32_MAX, v));
  EXPECT_EQ(v, -10);
  EXPECT_TRUE(ParseNumber("-9223372036854775808", INT64_MIN, 0, v));
  EXPECT_EQ(v, INT64_MIN);
}

TEST(ConsoleNumbers, RefusedAndValueKept) {
  std::int64_t v = 77;
  for (const char* bad : {"", "-", "0x", "12a", "0xg1", "1.5", " 1", "+1", "-0x10", "9223372036854775808",
                          "0x10000000000000000", "99999999999999999999"})
    EXPECT_FALSE(ParseNumber(bad, INT64_MIN, INT64_MAX, v)) << bad;
  EXPECT_FALSE(ParseNumber("256", 0, 255, v));
  EXPECT_FALSE(ParseNumber("-1", 0, 255, v));
  EXPECT_EQ(v, 77);
}

TEST(ConsoleHexBytes, PairsAndJoinedWords) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(ParseHexBytes({"0a", "FF", "0b0C0d"}, bytes, error));
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x0a, 0xff, 0x0b, 0x0c, 0x0d}));
}

TEST(ConsoleHexBytes, OddOrForeignDigitsRefused) {
  std::vector<std::uint8_t> bytes = {1, 2};
  std::string error;
  EXPECT_FALSE(ParseHexBytes({"0a", "b"}, bytes, error));
  EXPECT_NE(error.find("\"b\""), std::string::npos);
  EXPECT_FALSE(ParseHexBytes({"0x0a"}, bytes, error));
  EXPECT_FALSE(ParseHexBytes({"zz"}, bytes, error));
  EXPECT_FALSE(ParseHexBytes({""}, bytes, error));
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2}));
}

}  // namespace
