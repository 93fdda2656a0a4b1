#include "TestSupport.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace kavio::platform;

TEST(CodePage, DecodesWindowsCodePages) {
  struct TCase {
    const char* Name;
    QByteArray Bytes;
    unsigned CodePage;
    QString Expected;
  };
  const TCase cases[] = {
      {"cp1252_umlauts_and_euro", QByteArray("M\xfcller \x80"), 1252, QStringLiteral(u"Müller €")},
      {"cp1251_cyrillic", QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2"), 1251, QStringLiteral(u"Привет")},
      {"cp932_japanese", QByteArray("\x93\xfa\x96\x7b"), 932, QStringLiteral(u"日本")},
      {"cp950_traditional", QByteArray("\xa4\xa4\xa4\xe5"), 950, QStringLiteral(u"中文")},
      {"utf8_65001", QByteArray("\xc3\xa4"), 65001, QStringLiteral(u"ä")},
      {"unknown_is_1252", QByteArray("\xe4"), 4711, QStringLiteral(u"ä")},
      {"truncated_sequence_replaced", QByteArray("az\x81"), 932, QStringLiteral(u"az\uFFFD")},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeCodePage(c.Bytes, c.CodePage), c.Expected) << c.Name;
}

TEST(CodePage, AnsiCodePageOfLocale) {
  EXPECT_EQ(AnsiCodePageOfLocale(1031), 1252u);  // German
  EXPECT_EQ(AnsiCodePageOfLocale(1049), 1251u);  // Russian
  EXPECT_EQ(AnsiCodePageOfLocale(1041), 932u);   // Japanese
  EXPECT_EQ(AnsiCodePageOfLocale(1028), 950u);   // Chinese (Taiwan)
  EXPECT_EQ(AnsiCodePageOfLocale(2052), 936u);   // Chinese (PRC)
  EXPECT_EQ(AnsiCodePageOfLocale(0x0407), 1252u);
  EXPECT_EQ(AnsiCodePageOfLocale(0x7F), 0u);     // invariant: none
}

TEST(CodePage, Utf8OrWindows1252) {
  EXPECT_EQ(DecodeUtf8OrWindows1252("J\xc3\xbcrgen"), QStringLiteral(u"Jürgen"));
  EXPECT_EQ(DecodeUtf8OrWindows1252("J\xfcrgen"), QStringLiteral(u"Jürgen"));
  QString out;
  EXPECT_FALSE(DecodeCharset("x", "no-such-charset", out));
  EXPECT_TRUE(DecodeCharset("\xe4", "iso-8859-1", out));
  EXPECT_EQ(out, QStringLiteral(u"ä"));
}

// Conversion descriptors are kept between calls: each call must start in the initial state, and
// charsets beyond what is kept still convert.
TEST(CodePage, EveryConversionStartsAfresh) {
  QString out;
  // ISO-2022-JP left shifted into JIS X 0208 ("ESC $ B" without the "ESC ( B" back).
  ASSERT_TRUE(DecodeCharset("\x1b$B;3", "ISO-2022-JP", out));
  EXPECT_EQ(out, QStringLiteral(u"山"));
  ASSERT_TRUE(DecodeCharset("abc", "ISO-2022-JP", out));
  EXPECT_EQ(out, QStringLiteral("abc"));
  for (int i = 0; i < 40; ++i)
    EXPECT_FALSE(DecodeCharset("x", "x-no-such-charset-" + QByteArray::number(i), out)) << i;
  ASSERT_TRUE(DecodeCharset("\xa4", "ISO-8859-15", out));
  EXPECT_EQ(out, QStringLiteral(u"€"));
  EXPECT_EQ(DecodeCodePage("\xcf\xf0", 1251), QStringLiteral(u"Пр"));
}
