#include "MsgBuilder.h"
#include "TestSupport.h"
#include "extract/TFormViewMail.h"
#include "msgfile/MapiTags.h"
#include "platform/MimeHeader.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

using namespace kavio;
using namespace kavio::msgfile;
using test::TMsgBuilder;

namespace {

QDateTime Utc(int AYear, int AMonth, int ADay, int AHour = 12, int AMinute = 0, int ASecond = 0) {
  return QDateTime(QDate(AYear, AMonth, ADay), QTime(AHour, AMinute, ASecond), Qt::UTC);
}

struct TRead {
  bool Ok = false;
  QByteArray Stream;
  platform::TIdMessage Header;
};

TRead ReadMsg(const QByteArray& AFile) {
  QTemporaryDir dir;
  const QString path = test::WriteFile(dir.path(), QStringLiteral("mail.msg"), AFile);
  TRead read;
  extract::TFormViewMail viewMail;
  read.Ok = viewMail.GetMsgData_OxMsg(path, read.Stream);
  if (read.Ok) read.Header.LoadHeaders(read.Stream);
  return read;
}

}  // namespace

TEST(GetMsgDataOxMsg, WritesSubjectPlainSenderAndDate) {
  const QString x500 = QStringLiteral("/O=EXCHANGELABS/OU=EXCHANGE ADMINISTRATIVE GROUP/CN=RECIPIENTS/CN=HANS");
  struct TCase {
    const char* Name;
    std::function<void(TMsgBuilder::TScope&)> Setup;
    platform::TMailAddress From;
  };
  const TCase cases[] = {
      {"smtp_sender",
       [](auto& m) {
         m.Unicode(PR_SENT_REPRESENTING_NAME_W, QStringLiteral(u"Hans Müller"))
             .Unicode(PR_SENT_REPRESENTING_ADDRTYPE_W, QStringLiteral("SMTP"))
             .Unicode(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, QStringLiteral("hans@example.com"));
       },
       {QStringLiteral(u"Hans Müller"), QStringLiteral("hans@example.com")}},
      {"exchange_sender_smtp_address",
       [&](auto& m) {
         m.Unicode(PR_SENT_REPRESENTING_NAME_W, QStringLiteral("Hans Mueller"))
             .Unicode(PR_SENT_REPRESENTING_ADDRTYPE_W, QStringLiteral("EX"))
             .Unicode(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, x500)
             .Unicode(PR_SENT_REPRESENTING_SMTP_ADDRESS_W, QStringLiteral("hans@example.com"));
       },
       {QStringLiteral("Hans Mueller"), QStringLiteral("hans@example.com")}},
      {"exchange_sender_via_sender_smtp",
       [&](auto& m) {
         m.Ansi(PR_SENT_REPRESENTING_NAME_A, "Hans")
             .Ansi(PR_SENT_REPRESENTING_ADDRTYPE_A, "EX")
             .Ansi(PR_SENT_REPRESENTING_EMAIL_ADDRESS_A, x500.toLatin1())
             .Ansi(PR_SENDER_SMTP_ADDRESS_A, "hans@example.com");
       },
       {QStringLiteral("Hans"), QStringLiteral("hans@example.com")}},
      {"address_without_name",
       [](auto& m) { m.Unicode(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, QStringLiteral("hans@example.com")); },
       {QString(), QStringLiteral("hans@example.com")}},
  };
  for (const auto& c : cases) {
    TMsgBuilder builder;
    builder.Root()
        .Unicode(PR_SUBJECT_W, QStringLiteral(u"Angebot für Привет €"))
        .FileTime(PR_CLIENT_SUBMIT_TIME, Utc(2015, 7, 3, 9, 15));
    c.Setup(builder.Root());
    const TRead read = ReadMsg(builder.Build());
    ASSERT_TRUE(read.Ok) << c.Name;
    EXPECT_EQ(read.Header.From(), c.From) << c.Name << "\n" << read.Stream.toStdString();
    // Texts outside Windows-1252 come through: no 8-bit round trip.
    EXPECT_EQ(read.Header.Subject(), QStringLiteral(u"Angebot für Привет €")) << c.Name;
    EXPECT_EQ(read.Header.Date(), Utc(2015, 7, 3, 9, 15)) << c.Name;
  }
}

TEST(GetMsgDataOxMsg, NoTimeNoDateHeader) {
  TMsgBuilder builder;
  builder.Root().Unicode(PR_SUBJECT_W, QStringLiteral("Entwurf")).Long(PR_MESSAGE_CODEPAGE, 1252);
  const TRead read = ReadMsg(builder.Build());
  ASSERT_TRUE(read.Ok);
  EXPECT_FALSE(read.Stream.contains("Date:"));
  EXPECT_FALSE(read.Header.Date().isValid());
  EXPECT_EQ(read.Header.Subject(), QStringLiteral("Entwurf"));
}

TEST(GetMsgDataOxMsg, FailuresLeaveTheStream) {
  extract::TFormViewMail viewMail;
  QTemporaryDir dir;
  for (const QByteArray& junk : {QByteArray(), QByteArray("From: a@b\r\n\r\n")}) {
    const QString path = test::WriteFile(dir.path(), QStringLiteral("junk.msg"), junk);
    QByteArray stream("what the caller had");
    EXPECT_FALSE(viewMail.GetMsgData_OxMsg(path, stream));
    EXPECT_EQ(stream, "what the caller had");
  }
  QByteArray stream("kept");
  EXPECT_FALSE(viewMail.GetMsgData_OxMsg(dir.path() + QStringLiteral("/missing.msg"), stream));
  EXPECT_FALSE(viewMail.GetMsgData_OxMsg(dir.path(), stream));  // a folder
  EXPECT_EQ(stream, "kept");
}

// Public sample files of other projects' test suites: the whole route on real files.
TEST(GetMsgDataOxMsg, SampleFiles) {
  const QDir samples(test::Samples(QStringLiteral("msg")));
  const QStringList names = samples.entryList({QStringLiteral("*.msg")}, QDir::Files, QDir::Name);
  ASSERT_FALSE(names.isEmpty()) << "no sample files in " << samples.path().toStdString();
  struct TExpected {
    QString Subject;
    QString Sender;  // name, else address
    QDateTime Date;
  };
  // What the samples' own tools show for them.
  const QMap<QString, TExpected> expected = {
      {"poi_58214_with_attachment.msg", {"Master mail", "Bertrand Beyssac", Utc(2015, 8, 5, 12, 2, 22)}},
      {"poi_blank.msg", {"", "", Utc(2007, 7, 3, 16, 34, 38)}},
      {"poi_chinese_traditional.msg",
       {QStringLiteral(u"Alfresco MSG format testing ( MSG 格式測試 )"), QStringLiteral(u"Tests Chang@FT (張毓倫)"),
        Utc(2011, 3, 29, 8, 52, 48)}},
      {"poi_cyrillic_message.msg",
       {QStringLiteral(u"Автоматический ответ подсистемы обмена данными ФГУП \"Почта России\"."), "no-reply@niips.ru",
        Utc(2010, 5, 18, 7, 38, 39)}},
      {"poi_example_received_unicode.msg",
       {"This is a test message please ignore", "Mike Farman", Utc(2010, 1, 11, 16, 25, 7)}},
      {"poi_msgclassappointment.msg", {"Quick brown fox", "Allison, Timothy B.", Utc(2017, 2, 28, 18, 42, 23)}},
      {"poi_quick.msg", {"Test the content transformer", "Kevin Roast", Utc(2007, 6, 14, 9, 42, 53)}},
      {"poi_simple_test_msg.msg", {"test message", "Travis Ferguson", Utc(2007, 7, 6, 5, 27, 17)}},
  };
  extract::TFormViewMail viewMail;
  int withAll = 0;
  for (const QString& name : names) {
    QByteArray stream;
    ASSERT_TRUE(viewMail.GetMsgData_OxMsg(samples.filePath(name), stream)) << name.toStdString();
    platform::TIdMessage header;
    header.LoadHeaders(stream);
    if (!header.Subject().isEmpty() && !header.From().Name.isEmpty() && header.Date().isValid()) ++withAll;
    if (expected.contains(name)) {
      const TExpected& e = expected[name];
      EXPECT_EQ(header.Subject(), e.Subject) << name.toStdString();
      EXPECT_EQ(header.From().Name.isEmpty() ? header.From().Address : header.From().Name, e.Sender)
          << name.toStdString();
      EXPECT_EQ(header.Date(), e.Date) << name.toStdString();
    }
  }
  EXPECT_GE(withAll, 6);
}
