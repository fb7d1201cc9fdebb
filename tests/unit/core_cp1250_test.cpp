#include <gtest/gtest.h>

#include <string>

#include "core/cp1250.h"

namespace {

constexpr auto kTitle = CP1250("Počet Filtrů v3.0");
static_assert(kTitle.length == 17, "one byte per character");

TEST(CoreCp1250, LiteralHelperGivesBytesAndLength) {
  EXPECT_EQ(kTitle.length, 17u);
  EXPECT_EQ(std::string(kTitle.data, kTitle.length),
            "Po\xe8"
            "et Filtr\xf9 v3.0");
  EXPECT_EQ(kTitle.data[17], '\0');

  constexpr auto kNext = CP1250("Další ->");
  EXPECT_EQ(std::string(kNext.data, kNext.length), "Dal\x9a\xed ->");
  constexpr auto kEmpty = CP1250("");
  EXPECT_EQ(kEmpty.length, 0u);
}

TEST(CoreCp1250, CzechTextsRoundTrip) {
  const std::string texts[] = {
      "Nepřipojena",    "Není instalováno", "Zadejte požadovaný počet filtrů", "Konfigurace byla úspěšně zapsána.",
      "Filtrové kolo:", "ŽLUŤOUČKÝ KŮŇ"};
  for (const std::string& utf8 : texts) {
    std::string cp;
    ASSERT_TRUE(core::Cp1250FromUtf8(utf8, cp)) << utf8;
    EXPECT_LT(cp.size(), utf8.size()) << utf8;
    EXPECT_EQ(core::Utf8FromCp1250(cp), utf8);
    EXPECT_EQ(core::Utf16FromCp1250(cp.data(), cp.size()).size(), cp.size());
  }
}

TEST(CoreCp1250, ToUtf8StopsAtLengthAndNul) {
  EXPECT_EQ(core::Utf8FromCp1250("\xe8\xf9xyz", 2), "čů");
  EXPECT_EQ(core::Utf8FromCp1250(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(core::Utf8FromCp1250("\x81", 1), "\xEF\xBF\xBD");  // unassigned byte: replacement character
}

TEST(CoreCp1250, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  std::string out;
  EXPECT_FALSE(core::Cp1250FromUtf8("a€b→c", out));
  EXPECT_EQ(out,
            "a\x80"
            "b?c");
  EXPECT_FALSE(core::Cp1250FromUtf8("x😀y", out));  // four-byte sequence
  EXPECT_EQ(out, "x?y");
}

TEST(CoreCp1250, MalformedUtf8NeverSwallowsTheNextCharacter) {
  std::string out;
  EXPECT_FALSE(
      core::Cp1250FromUtf8("\xC4"
                           "A",
                           out));  // lead byte without its continuation
  EXPECT_EQ(out, "?A");
  EXPECT_FALSE(
      core::Cp1250FromUtf8("\xE2\x82"
                           "AB",
                           out));
  EXPECT_EQ(out, "?AB");
  EXPECT_FALSE(core::Cp1250FromUtf8("a\x80z", out));  // stray continuation byte
  EXPECT_EQ(out, "a?z");
  EXPECT_FALSE(core::Cp1250FromUtf8("ab\xC5", out));  // cut at the end
  EXPECT_EQ(out, "ab?");
}

TEST(CoreCp1250, OverlongEncodingsAreRefused) {
  std::string out;
  // An overlong NUL must not put a zero byte into a zero-terminated text.
  EXPECT_FALSE(core::Cp1250FromUtf8(std::string("a\xC0\x80"
                                                "b"),
                                    out));
  EXPECT_EQ(out.find('\0'), std::string::npos);
  EXPECT_FALSE(core::Cp1250FromUtf8("\xC1\x81", out));  // overlong 'A'
  EXPECT_NE(out, "A");
}

}  // namespace
