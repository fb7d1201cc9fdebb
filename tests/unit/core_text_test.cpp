#include <gtest/gtest.h>

#include <cstring>

#include "core/text.h"

namespace {

// Every operation must leave the byte past maxLen alone: the buffer's last
// byte is the terminator's, the next one belongs to someone else.
struct Guarded {
  char buf[9];
  char guard = '#';
};

TEST(CoreText, LengthStopsAtNulOrMax) {
  EXPECT_EQ(core::LengthA(10, "abc"), 3u);
  EXPECT_EQ(core::LengthA(2, "abc"), 2u);
  EXPECT_EQ(core::LengthA(0, "abc"), 0u);
  EXPECT_EQ(core::LengthA(5, nullptr), 0u);
}

TEST(CoreText, CopyCutsAtMaxAndAtSourceLength) {
  Guarded g;
  std::memset(g.buf, 'x', sizeof g.buf);
  core::CopyA(8, g.buf, 100, "0123456789");
  EXPECT_STREQ(g.buf, "01234567");
  EXPECT_EQ(g.guard, '#');

  core::CopyA(8, g.buf, 3, "abcdef");
  EXPECT_STREQ(g.buf, "abc");
  core::CopyA(8, g.buf, 10, "a\0bc");
  EXPECT_STREQ(g.buf, "a");
  core::CopyA(8, g.buf, 0, "abc");
  EXPECT_STREQ(g.buf, "");
}

TEST(CoreText, CopyFromInsideTheDestination) {
  char buf[16] = "hello world";
  core::CopyA(15, buf, 15, buf + 6);
  EXPECT_STREQ(buf, "world");
}

TEST(CoreText, AppendFillsExactlyToTheLimit) {
  Guarded g;
  core::CopyA(8, g.buf, 8, "abcde");
  core::AppendA(8, g.buf, 100, "XYZ");
  EXPECT_STREQ(g.buf, "abcdeXYZ");
  core::AppendA(8, g.buf, 100, "more");  // already full: unchanged
  EXPECT_STREQ(g.buf, "abcdeXYZ");
  EXPECT_EQ(g.guard, '#');

  core::CopyA(8, g.buf, 8, "abcdef");
  core::AppendA(8, g.buf, 100, "XYZ");
  EXPECT_STREQ(g.buf, "abcdefXY");
  core::CopyA(8, g.buf, 8, "ab");
  core::AppendA(8, g.buf, 1, "XYZ");
  EXPECT_STREQ(g.buf, "abX");
  EXPECT_EQ(g.guard, '#');
}

TEST(CoreText, PrependShiftsAndCutsTheTail) {
  Guarded g;
  core::CopyA(8, g.buf, 8, "world");
  core::PrependA(8, g.buf, 100, "hi ");
  EXPECT_STREQ(g.buf, "hi world");
  core::PrependA(8, g.buf, 2, ">>>>");
  EXPECT_STREQ(g.buf, ">>hi wor");
  EXPECT_EQ(g.guard, '#');

  core::CopyA(8, g.buf, 8, "abc");
  core::PrependA(8, g.buf, 100, "0123456789");  // the source alone fills it
  EXPECT_STREQ(g.buf, "01234567");
  EXPECT_EQ(g.guard, '#');

  core::CopyA(8, g.buf, 8, "abc");
  core::PrependA(8, g.buf, 0, "zzz");
  EXPECT_STREQ(g.buf, "abc");
}

TEST(CoreText, CardToStrDecimalAndHex) {
  char buf[11];
  bool ok = false;
  core::CardToStrA(0, 10, buf, 10, ok);
  EXPECT_TRUE(ok);
  EXPECT_STREQ(buf, "0");
  core::CardToStrA(4294967295u, 10, buf, 10, ok);
  EXPECT_TRUE(ok);
  EXPECT_STREQ(buf, "4294967295");
  core::CardToStrA(0x3FF80, 10, buf, 16, ok);
  EXPECT_TRUE(ok);
  EXPECT_STREQ(buf, "3ff80");
  core::CardToStrA(1030, 4, buf, 10, ok);  // exactly fits
  EXPECT_TRUE(ok);
  EXPECT_STREQ(buf, "1030");
}

TEST(CoreText, CardToStrFailsEmptyWhenTooLongOrBadRadix) {
  Guarded g;
  bool ok = true;
  core::CardToStrA(123456789, 8, g.buf, 10, ok);
  EXPECT_FALSE(ok);
  EXPECT_STREQ(g.buf, "");
  EXPECT_EQ(g.guard, '#');

  core::CardToStrA(5, 0, g.buf, 10, ok);
  EXPECT_FALSE(ok);
  core::CardToStrA(5, 8, g.buf, 1, ok);
  EXPECT_FALSE(ok);
  core::CardToStrA(5, 8, g.buf, 37, ok);
  EXPECT_FALSE(ok);
  EXPECT_STREQ(g.buf, "");
}

}  // namespace
