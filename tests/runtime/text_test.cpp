#include "runtime/text.h"

#include <gtest/gtest.h>

namespace quardeln {
namespace {

TEST(TextConversion, Utf8RoundTripsBmpAndSurrogatePairs) {
  std::u16string text = u"pu\u00f2 \u20ac \U0001F600";
  EXPECT_EQ(ToUtf8(text), "pu\xc3\xb2 \xe2\x82\xac \xf0\x9f\x98\x80");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(TextConversion, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xff"
                     "b"),
            u"a\ufffdb");
  EXPECT_EQ(FromUtf8("\xe2\x82"), u"\ufffd\ufffd");  // truncated sequence
  EXPECT_EQ(ToUtf8(u"\xd800x"), "\xef\xbf\xbdx");    // lone surrogate
}

TEST(TextConversion, AnsiKeepsLatin1AndMarksTheRest) {
#ifndef _WIN32
  EXPECT_EQ(ToAnsi(u"pu\u00f2\u20ac"), "pu\xf2?");
  EXPECT_EQ(FromAnsi("pu\xf2"), u"pu\u00f2");
#else
  EXPECT_EQ(FromAnsi(ToAnsi(u"Attiva")), u"Attiva");
#endif
}

TEST(TextConversion, IntTextIsSignedDecimal) {
  EXPECT_EQ(IntText(0), u"0");
  EXPECT_EQ(IntText(-2147483647 - 1), u"-2147483648");
}

}  // namespace
}  // namespace quardeln
