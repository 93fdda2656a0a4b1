#include "TestSupport.h"
#include "platform/MimeHeader.h"
#include "platform/Rfc2047.h"

#include <gtest/gtest.h>

using namespace kavio::platform;

namespace {

QDateTime Utc(int y, int mo, int d, int h, int mi, int s) { return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC); }

}  // namespace

TEST(MimeHeader, ParsesFromSubjectDate) {
  struct TCase {
    const char* Name;
    QByteArray Header;
    TMailAddress From;
    QString Subject;
    QDateTime Date;
  };
  const TCase cases[] = {
      {"plain", "From: Hans Mueller <hans@example.org>\r\nSubject: Angebot\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n\r\n",
       {"Hans Mueller", "hans@example.org"}, "Angebot", Utc(2015, 2, 3, 8, 15, 0)},
      {"adjacent_b_words", "From: =?UTF-8?B?SsO8cmdlbg==?= =?UTF-8?B?IE3DvGxsZXI=?= <j@x.de>\n\n",
       {u8"Jürgen Müller", "j@x.de"}, {}, {}},
      {"adjacent_b_words_in_subject", "Subject: =?UTF-8?B?SsO8cmdlbg==?=\r\n =?UTF-8?B?IE3DvGxsZXI=?=\n\n",
       {}, u8"Jürgen Müller", {}},
      {"q_word_latin1", "From: =?iso-8859-1?Q?M=FCller=2C_Hans?= <h@x.de>\n\n", {u8"Müller, Hans", "h@x.de"}, {}, {}},
      {"unknown_charset_is_1252", "Subject: =?x-unknown-thing?Q?Gr=FC=DFe?=\n\n", {}, u8"Grüße", {}},
      {"raw_utf8", "From: J\xc3\xbcrgen <j@x.de>\nSubject: Gr\xc3\xbc\xc3\x9f" "e\n\n", {u8"Jürgen", "j@x.de"}, u8"Grüße", {}},
      {"raw_1252", "From: J\xfcrgen <j@x.de>\nSubject: Gr\xfc\xdf" "e\n\n", {u8"Jürgen", "j@x.de"}, u8"Grüße", {}},
      {"group_first_member", "From: Team: Anna <anna@x.de>, Bert <b@x.de>;\n\n", {"Anna", "anna@x.de"}, {}, {}},
      {"empty_group_then_mailbox", "From: undisclosed-recipients:;, Bert <b@x.de>\n\n", {"Bert", "b@x.de"}, {}, {}},
      {"address_only", "From: info.service@shop\n\n", {"", "info.service@shop"}, {}, {}},
      {"missing_from", "Subject: x\n\n", {}, "x", {}},
      {"empty_from", "From: \n\n", {}, {}, {}},
      {"folded_and_case", "FROM: \"Dr. Hans\"\r\n\t<dr@x.de>\r\ndate: 3 Feb 2015\r\n 09:15:00 +0000\r\n\r\n",
       {"Dr. Hans", "dr@x.de"}, {}, Utc(2015, 2, 3, 9, 15, 0)},
      {"first_of_two_dates", "Date: 1 Jan 2001 00:00:00 +0000\nDate: 1 Jan 2002 00:00:00 +0000\n\n", {}, {}, Utc(2001, 1, 1, 0, 0, 0)},
      {"obs_two_digit_year_49", "Date: 1 Jan 49 00:00:00 +0000\n\n", {}, {}, Utc(2049, 1, 1, 0, 0, 0)},
      {"obs_two_digit_year_50", "Date: 1 Jan 50 00:00:00 +0000\n\n", {}, {}, Utc(1950, 1, 1, 0, 0, 0)},
      {"obs_two_digit_year_69", "Date: Wed, 1 Jan 69 12:00:00 +0000\n\n", {}, {}, Utc(1969, 1, 1, 12, 0, 0)},
      {"obs_three_digit_year", "Date: 1 Jan 103 00:00:00 +0000\n\n", {}, {}, Utc(2003, 1, 1, 0, 0, 0)},
      {"zone_name_est", "Date: Tue, 3 Feb 2015 09:15:00 EST\n\n", {}, {}, Utc(2015, 2, 3, 14, 15, 0)},
      {"unknown_zone_is_utc", "Date: Tue, 3 Feb 2015 09:15:00 MEZ\n\n", {}, {}, Utc(2015, 2, 3, 9, 15, 0)},
      {"unreadable_date", "Date: gestern\n\n", {}, {}, {}},
      {"year_before_1601", "Date: 1 Jan 1500 00:00:00 +0000\n\n", {}, {}, {}},
      {"comment_after_zone", "Date: Tue, 3 Feb 2015 09:15:00 +0100 (CET)\n\n", {}, {}, Utc(2015, 2, 3, 8, 15, 0)},
      {"dashed_date", "Date: 3-Feb-2015 09:15 +0000\n\n", {}, {}, Utc(2015, 2, 3, 9, 15, 0)},
      {"empty_date", "Date:\n\n", {}, {}, {}},
      {"headers_end_at_empty_line", "Subject: a\n\nFrom: body@x.de\nDate: 1 Jan 2001 00:00:00 +0000\n", {}, "a", {}},
      {"mbox_from_line_skipped", "From nobody Thu Jan  1 00:00:00 1970\nFrom: a@b.c\n\n", {"", "a@b.c"}, {}, {}},
      {"no_empty_line", "Subject: only", {}, "only", {}},
      {"empty", "", {}, {}, {}},
  };
  for (const auto& c : cases) {
    TIdMessage message;
    message.LoadHeaders(c.Header);
    EXPECT_EQ(message.From().Name, c.From.Name) << c.Name;
    EXPECT_EQ(message.From().Address, c.From.Address) << c.Name;
    EXPECT_EQ(message.Subject(), c.Subject) << c.Name;
    EXPECT_EQ(message.Date(), c.Date) << c.Name;
  }
}

TEST(MimeHeader, GeneratedBlockReadsBackTheSameValues) {
  struct TCase {
    const char* Name;
    QString Subject;
    QDateTime Date;
    QString Sender;
    QString Address;
  };
  const QString longSubject = QString(u8"Größenänderung der Anlagen für das nächste Treffen ").repeated(4);
  const TCase cases[] = {
      {"ascii", "Angebot", Utc(2015, 2, 3, 8, 15, 0), "Hans Mueller", "hans@example.org"},
      {"umlauts", u8"Grüße aus Köln", Utc(2015, 7, 1, 22, 30, 0), u8"Jürgen Müller", "j@x.de"},
      {"long_non_ascii_subject", longSubject, Utc(2015, 2, 3, 8, 15, 0), "A", "a@x.de"},
      {"cjk_and_emoji", u8"會議 😀", Utc(2020, 2, 29, 23, 59, 59), u8"王小明", "wang@x.tw"},
      {"quotes_and_specials", "Re: \"x\" <y>, z; (c)", Utc(2001, 1, 1, 0, 0, 0), "Mueller, Hans \"HM\"", "hm@x.de"},
      {"looks_like_encoded_word", "=?UTF-8?B?SGFsbG8=?=", Utc(2001, 1, 1, 0, 0, 0), "=?x?", "a@x.de"},
      {"address_looks_like_encoded_word", "s", Utc(2001, 1, 1, 0, 0, 0), "A", u8"=?ü?B?SGFsbG8=?=@x.de"},
      {"x500_address", "s", Utc(2001, 1, 1, 0, 0, 0), "Exchange User",
       "/O=First Organization/OU=Exchange Administrative Group (FYDIBOHF23SPDLT)/CN=RECIPIENTS/CN=USER"},
      {"no_sender", "s", Utc(2001, 1, 1, 0, 0, 0), "", ""},
      {"name_without_address", "s", Utc(2001, 1, 1, 0, 0, 0), "Nur Name", ""},
      {"no_date", "s", QDateTime(), "A", "a@x.de"},
      {"local_mean_time_long_ago", "s", Utc(1870, 1, 1, 0, 0, 0), "A", "a@x.de"},
      {"empty_subject", "", Utc(2001, 1, 1, 0, 0, 0), "A", "a@x.de"},
  };
  for (const auto& c : cases) {
    const QByteArray block = GenerateHeaderBlock(c.Subject, c.Date, c.Sender, c.Address);
    EXPECT_TRUE(block.endsWith("\r\n\r\n")) << c.Name;
    EXPECT_EQ(block.contains("\r\nDate: "), c.Date.isValid()) << c.Name;
    TIdMessage message;
    message.LoadHeaders(block);
    EXPECT_EQ(message.Subject(), c.Subject) << c.Name << "\n" << block.constData();
    EXPECT_EQ(message.Date(), c.Date) << c.Name << "\n" << block.constData();
    EXPECT_EQ(message.From().Name, c.Sender) << c.Name << "\n" << block.constData();
    EXPECT_EQ(message.From().Address, c.Address) << c.Name << "\n" << block.constData();
  }
}

TEST(MimeHeader, DateIsWrittenWithTheOffsetInForceAtThatInstant) {
  EXPECT_EQ(FormatMailDate(Utc(2015, 2, 3, 8, 15, 0)), QByteArray("Tue, 03 Feb 2015 09:15:00 +0100"));
  EXPECT_EQ(FormatMailDate(Utc(2015, 7, 1, 22, 30, 0)), QByteArray("Thu, 02 Jul 2015 00:30:00 +0200"));
}

TEST(Rfc2047, EncodedWordsStayWithinTheirLength) {
  const QByteArray words = EncodeWords(QString(u8"äöü").repeated(40), " ");
  for (const QByteArray& word : words.split(' ')) {
    EXPECT_LE(word.size(), 75);
    EXPECT_TRUE(word.startsWith("=?UTF-8?B?"));
  }
  EXPECT_EQ(DecodeUnstructured(words), QString(u8"äöü").repeated(40));
  // An emoji (a surrogate pair) is never split between words.
  const QString emoji = QString(u8"😀").repeated(30);
  EXPECT_EQ(DecodeUnstructured(EncodeWords(emoji)), emoji);
}
