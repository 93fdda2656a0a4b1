#include "MsgBuilder.h"
#include "TestSupport.h"
#include "msgfile/MapiTags.h"
#include "msgfile/MsgError.h"
#include "msgfile/OxMessage.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kavio;
using namespace kavio::msgfile;
using test::TMsgBuilder;

namespace {

QDateTime Utc(int AYear, int AMonth, int ADay, int AHour = 12, int AMinute = 0) {
  return QDateTime(QDate(AYear, AMonth, ADay), QTime(AHour, AMinute), Qt::UTC);
}

void Load(TOxMSGFile& AMessage, const TMsgBuilder& ABuilder) {
  TMemoryStream stream(ABuilder.Build());
  AMessage.LoadFromStream(stream);
}

const TMSGProperty* ItemNamed(const TMSGProperties& AProps, const QString& AName) {
  for (int i = 0; i < AProps.Count(); ++i)
    if (const auto* text = std::get_if<QString>(&AProps.GetProperty(i).Value); text && *text == AName)
      return &AProps.GetProperty(i);
  return nullptr;
}

}  // namespace

TEST(OxMSGFile, Subject) {
  struct TCase {
    const char* Name;
    std::function<void(TMsgBuilder::TScope&)> Setup;
    QString Expected;
  };
  const TCase cases[] = {
      {"unicode_first", [](auto& m) { m.Unicode(PR_SUBJECT_W, QStringLiteral("Angebot")).Ansi(PR_SUBJECT_A, "Offer"); },
       QStringLiteral("Angebot")},
      {"empty_unicode_then_ansi", [](auto& m) { m.Unicode(PR_SUBJECT_W, QString()).Ansi(PR_SUBJECT_A, "Offer"); },
       QStringLiteral("Offer")},
      {"conversation_topic_last", [](auto& m) { m.Ansi(PR_CONVERSATION_TOPIC_A, "Angebot"); },
       QStringLiteral("Angebot")},
      {"prefix_kept", [](auto& m) { m.Unicode(PR_SUBJECT_W, QStringLiteral("AW: Angebot")); },
       QStringLiteral("AW: Angebot")},
      {"none", [](auto&) {}, QString()},
  };
  for (const auto& c : cases) {
    TMsgBuilder builder;
    c.Setup(builder.Root());
    TOxMSGFile message;
    Load(message, builder);
    EXPECT_EQ(message.GetSubject(), c.Expected) << c.Name;
  }
}

TEST(OxMSGFile, Sender) {
  struct TCase {
    const char* Name;
    std::function<void(TMsgBuilder::TScope&)> Setup;
    QString Name_;
    QString Address;
  };
  const QString x = QStringLiteral("hans@example.com");
  const TCase cases[] = {
      {"quoted_name_with_blank",
       [&](auto& m) {
         m.Unicode(PR_SENT_REPRESENTING_NAME_W, QStringLiteral(u"Hans Müller"))
             .Unicode(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, x);
       },
       QStringLiteral(u"\"Hans Müller\" <hans@example.com>"), x},
      {"plain_name",
       [&](auto& m) {
         m.Ansi(PR_SENT_REPRESENTING_NAME_A, "Mueller").Ansi(PR_SENT_REPRESENTING_EMAIL_ADDRESS_A, x.toLatin1());
       },
       QStringLiteral("Mueller <hans@example.com>"), x},
      {"ansi_before_unicode",
       [&](auto& m) {
         m.Ansi(PR_SENT_REPRESENTING_NAME_A, "A").Unicode(PR_SENT_REPRESENTING_NAME_W, QStringLiteral("W"));
       },
       QStringLiteral("A"), QString()},
      {"name_with_nul_no_address",
       [](auto& m) { m.Unicode(PR_SENT_REPRESENTING_NAME_W, QStringLiteral("Hans") + QChar(0)); },
       QStringLiteral("Hans"), QString()},
      {"address_alone", [&](auto& m) { m.Unicode(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, x); }, x, x},
  };
  for (const auto& c : cases) {
    TMsgBuilder builder;
    c.Setup(builder.Root());
    TOxMSGFile message;
    Load(message, builder);
    EXPECT_EQ(message.GetSenderName(), c.Name_) << c.Name;
    EXPECT_EQ(message.GetSenderAddress(), c.Address) << c.Name;
  }
}

TEST(OxMSGFile, ExchangeSenderGetsItsSmtpAddress) {
  const QString x500 = QStringLiteral("/O=EXCHANGELABS/OU=EXCHANGE ADMINISTRATIVE GROUP/CN=RECIPIENTS/CN=HANS");
  TMsgBuilder builder;
  builder.Root()
      .Unicode(PR_SENT_REPRESENTING_NAME_W, QStringLiteral("Hans"))
      .Unicode(PR_SENT_REPRESENTING_ADDRTYPE_W, QStringLiteral("EX"))
      .Unicode(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, x500)
      .Unicode(PR_SENDER_SMTP_ADDRESS_W, QStringLiteral("sender@example.com"));
  TOxMSGFile message;
  Load(message, builder);
  EXPECT_EQ(message.GetSenderAddress(), x500);  // as stored
  EXPECT_EQ(message.GetSenderInternetAddress(), QStringLiteral("sender@example.com"));
  EXPECT_EQ(message.GetSenderDisplayName(), QStringLiteral("Hans"));

  builder.Root().Unicode(PR_SENT_REPRESENTING_SMTP_ADDRESS_W, QStringLiteral("hans@example.com"));
  Load(message, builder);
  EXPECT_EQ(message.GetSenderInternetAddress(), QStringLiteral("hans@example.com"));

  TMsgBuilder smtp;  // an SMTP sender keeps its address
  smtp.Root()
      .Unicode(PR_SENT_REPRESENTING_ADDRTYPE_W, QStringLiteral("SMTP"))
      .Unicode(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, QStringLiteral("a@example.com"))
      .Unicode(PR_SENDER_SMTP_ADDRESS_W, QStringLiteral("b@example.com"));
  Load(message, smtp);
  EXPECT_EQ(message.GetSenderInternetAddress(), QStringLiteral("a@example.com"));
}

TEST(OxMSGFile, MessageDate) {
  const QDateTime submit = Utc(2015, 2, 3, 8, 15);
  const QDateTime creation = Utc(2014, 7, 1, 6, 0);
  struct TCase {
    const char* Name;
    std::function<void(TMsgBuilder::TScope&)> Setup;
    QDateTime Expected;
  };
  const TCase cases[] = {
      {"creation_only", [&](auto& m) { m.FileTime(PR_CREATION_TIME, creation); }, creation},
      {"submit_before_creation",
       [&](auto& m) { m.FileTime(PR_CREATION_TIME, creation).FileTime(PR_CLIENT_SUBMIT_TIME, submit); }, submit},
      {"unconvertible_submit_decides",
       [&](auto& m) {
         m.RawFileTime(PR_CLIENT_SUBMIT_TIME, std::numeric_limits<int64_t>::max()).FileTime(PR_CREATION_TIME, creation);
       },
       QDateTime()},
      {"none", [](auto& m) { m.Long(0x0E080003, 100); }, QDateTime()},
      // A recipient's or attachment's times are not the message's.
      {"attachment_time_not_taken",
       [&](auto& m) { m.Attachment().FileTime(PR_CLIENT_SUBMIT_TIME, submit).FileTime(PR_CREATION_TIME, submit); },
       QDateTime()},
      {"embedded_message_time_not_taken",
       [&](auto& m) {
         m.FileTime(PR_CREATION_TIME, creation);
         m.Attachment().EmbeddedMessage().FileTime(PR_CLIENT_SUBMIT_TIME, submit);
       },
       creation},
  };
  for (const auto& c : cases) {
    TMsgBuilder builder;
    c.Setup(builder.Root());
    TOxMSGFile message;
    Load(message, builder);
    EXPECT_EQ(message.GetMessageInstant(), c.Expected) << c.Name;
    EXPECT_EQ(message.GetMessageDate(), platform::InstantToDateTime(c.Expected)) << c.Name;
  }
}

// Recipient and attachment property streams begin with 8 header bytes, an embedded message's
// with 24: read from byte 32, their entries would come out of step.
TEST(OxMSGFile, PropertyStreamHeaderByStorageKind) {
  const QDateTime inner = Utc(2013, 5, 6, 7, 8);
  TMsgBuilder builder;
  builder.Root().FileTime(PR_CREATION_TIME, Utc(2015, 1, 1));
  builder.Root().Recipient().Long(0x0C150003, 1);  // PR_RECIPIENT_TYPE: To
  auto& attachment = builder.Root().Attachment();
  attachment.Long(0x37050003, 5);  // PR_ATTACH_METHOD: embedded message
  attachment.EmbeddedMessage().FileTime(PR_CLIENT_SUBMIT_TIME, inner).Unicode(PR_SUBJECT_W, QStringLiteral("Innen"));
  TOxMSGFile message;
  Load(message, builder);

  const TMSGProperty* recipient = message.Properties().GetPropertyByTag(TAG_RECIPIENT_STORAGE, false, false);
  ASSERT_TRUE(recipient);
  const TMSGProperty* type = recipient->SubProperties().GetPropertyByTag(0x0C150003, false, true);
  ASSERT_TRUE(type);
  EXPECT_EQ(type->Value, TMSGValue(int32_t(1)));
  EXPECT_EQ(type->Reserved1, 6u);
  const TMSGProperty* attach = message.Properties().GetPropertyByTag(TAG_ATTACHMENT_STORAGE, false, false);
  ASSERT_TRUE(attach);
  const TMSGProperty* method = attach->SubProperties().GetPropertyByTag(0x37050003, false, true);
  ASSERT_TRUE(method);
  EXPECT_EQ(method->Value, TMSGValue(int32_t(5)));
  const TMSGProperty* embedded = attach->SubProperties().GetPropertyByTag(PR_ATTACH_DATA_OBJ, false, false);
  ASSERT_TRUE(embedded);
  EXPECT_EQ(embedded->Value, TMSGValue(QStringLiteral("3701000D")));
  EXPECT_EQ(embedded->SubProperties().GetMessageInstant(), inner);
  EXPECT_EQ(embedded->SubProperties().GetSubject(), QStringLiteral("Innen"));
  // Each property stream holds exactly its entries, no garbage ones.
  const TMSGProperty* props = ItemNamed(recipient->SubProperties(), QStringLiteral("__properties_version1.0"));
  ASSERT_TRUE(props);
  EXPECT_EQ(props->SubProperties().Count(), 1);
}

TEST(OxMSGFile, EveryEntryIsSixteenBytes) {
  TMsgBuilder builder;
  // Entries of types 0x0010, 0x0008 and 0x000E in front of the time.
  builder.Root()
      .Entry(0x0010, 0x6001, 2, QByteArray("\x01", 1))
      .Entry(0x0008, 0x6002, 2, QByteArray("\x7f\x00zz", 4))
      .Entry(0x000E, 0x6003, 2, QByteArray("abcdefgh"))
      .FileTime(PR_CLIENT_SUBMIT_TIME, Utc(2015, 2, 3));
  TOxMSGFile message;
  Load(message, builder);
  EXPECT_EQ(message.GetMessageInstant(), Utc(2015, 2, 3));
}

TEST(OxMSGFile, EightBitTextInTheMessagesCodePage) {
  struct TCase {
    const char* Name;
    std::function<void(TMsgBuilder::TScope&)> Setup;
    QString Expected;
  };
  const QByteArray cyrillic("\xcf\xf0\xe8\xe2\xe5\xf2");  // "Привет" in Windows-1251
  const TCase cases[] = {
      {"message_codepage", [&](auto& m) { m.Long(PR_MESSAGE_CODEPAGE, 1251).Long(PR_INTERNET_CPID, 65001); },
       QStringLiteral(u"Привет")},
      {"locale_id", [&](auto& m) { m.Long(PR_MESSAGE_LOCALE_ID, 1049); }, QStringLiteral(u"Привет")},
      {"internet_cpid", [&](auto& m) { m.Long(PR_INTERNET_CPID, 1251); }, QStringLiteral(u"Привет")},
      {"unicode_codepage_skipped", [&](auto& m) { m.Long(PR_MESSAGE_CODEPAGE, 1200).Long(PR_MESSAGE_LOCALE_ID, 1049); },
       QStringLiteral(u"Привет")},
      {"windows_1252_by_default", [&](auto&) {}, QStringLiteral(u"Ïðèâåò")},
  };
  for (const auto& c : cases) {
    TMsgBuilder builder;
    builder.Root().Ansi(PR_SUBJECT_A, cyrillic);
    c.Setup(builder.Root());
    TOxMSGFile message;
    Load(message, builder);
    EXPECT_EQ(message.GetSubject(), c.Expected) << c.Name;
  }
}

TEST(OxMSGFile, AttachmentDataObjects) {
  const platform::TClassId excel = {0x20, 0x08, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  TMsgBuilder builder;
  builder.Root().Attachment().OleObject(excel).Stream(QStringLiteral("Workbook"), QByteArray(3000, 'w'));
  builder.Root().Stream(QStringLiteral("Workbook"), "a spreadsheet at the root");
  TOxMSGFile message;
  Load(message, builder);

  const TMSGProperty* attach = message.Properties().GetPropertyByTag(TAG_ATTACHMENT_STORAGE, false, false);
  ASSERT_TRUE(attach);
  const TMSGProperty* object = attach->SubProperties().GetPropertyByTag(PR_ATTACH_DATA_OBJ, false, false);
  ASSERT_TRUE(object);
  EXPECT_TRUE(object->SubProperties().IsEmpty());
  const auto* bytes = std::get_if<QByteArray>(&object->Value);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(object->ValueLength, bytes->size());
  const auto copy = platform::TCompoundStorage::OpenFromBytes(*bytes);  // a compound file of its own
  EXPECT_EQ(copy.ClassId(), excel);
  EXPECT_TRUE(copy.OpenStream(QStringLiteral("\001CompObj")));
  EXPECT_EQ(copy.OpenStream(QStringLiteral("Workbook"))->ReadAll(), QByteArray(3000, 'w'));

  const TMSGProperty* root = message.Properties().GetPropertyByTag(PR_ATTACH_DATA_OBJ, false, false);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Value, TMSGValue(QByteArray("a spreadsheet at the root")));
}

TEST(OxMSGFile, ElementsBecomeItems) {
  TMsgBuilder builder;
  builder.Root().Stream(test::ValueStreamName(PR_SUBJECT_W), {});  // size 0
  builder.Root().Stream(QStringLiteral("1"), "x");                 // short hexadecimal name
  builder.Root().Stream(QStringLiteral("Olk10SideProps_0001"), "skipped");
  builder.Root().HeaderSize(32);
  TOxMSGFile message;
  Load(message, builder);
  const TMSGProperty* empty = message.Properties().GetPropertyByTag(PR_SUBJECT_W, false, false);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->Value, TMSGValue());
  EXPECT_TRUE(message.Properties().GetPropertyByTag(0x00000001, false, false));
  const TMSGProperty* props = ItemNamed(message.Properties(), QStringLiteral("__properties_version1.0"));
  ASSERT_TRUE(props);
  EXPECT_TRUE(props->SubProperties().IsEmpty());  // a 32-byte stream: the header alone
  EXPECT_EQ(message.Properties().Count(), 3);
}

TEST(OxMSGFile, LoadFailuresAndReloads) {
  TOxMSGFile message;
  TMsgBuilder first;
  first.Root().Unicode(PR_SUBJECT_W, QStringLiteral("first")).FileTime(PR_CREATION_TIME, Utc(2015, 1, 1));
  Load(message, first);
  EXPECT_EQ(message.GetSubject(), QStringLiteral("first"));
  TMsgBuilder second;
  second.Root().Unicode(PR_SUBJECT_W, QStringLiteral("second"));
  Load(message, second);  // replaces everything
  EXPECT_EQ(message.GetSubject(), QStringLiteral("second"));
  EXPECT_EQ(message.GetMessageDate(), 0.0);

  for (const QByteArray& junk : {QByteArray(), QByteArray("From: a@b\r\n\r\nbody")}) {
    TMemoryStream stream(junk);
    EXPECT_THROW(message.LoadFromStream(stream), TMsgError);
    EXPECT_EQ(message.Properties().Count(), 0);
    EXPECT_EQ(message.GetSubject(), QString());
    EXPECT_EQ(message.GetSenderName(), QString());
    EXPECT_EQ(message.GetSenderAddress(), QString());
    EXPECT_EQ(message.GetMessageDate(), 0.0);
  }
  const auto fileError = [&](const QString& APath) {
    try {
      message.LoadFromFile(APath);
    } catch (const TMsgError& error) {
      return std::string(error.what());
    }
    return std::string("loaded");
  };
  EXPECT_EQ(fileError(QStringLiteral("/nonexistent/x.msg")), "File /nonexistent/x.msg is not found.");
  QTemporaryDir dir;
  const QString junk = test::WriteFile(dir.path(), QStringLiteral("junk.msg"), "no compound file");
  EXPECT_EQ(fileError(junk), "File " + junk.toStdString() + " is not valid file (compound storage)");
  const QString good = test::WriteFile(dir.path(), QStringLiteral("good.msg"), first.Build());
  EXPECT_EQ(fileError(good), "loaded");
  EXPECT_EQ(message.GetSubject(), QStringLiteral("first"));
}

TEST(OxMSGFile, RtfBodyIsDecodedWhileLoading) {
  TMsgBuilder builder;
  builder.Root().Binary(PR_RTF_COMPRESSED,
                        QByteArray::fromHex("1a0000001c0000004c5a4675e2d44b51410004205758595a0d6e7d010eb0"));
  TOxMSGFile message;
  Load(message, builder);
  const TMSGProperty* body = message.Properties().GetPropertyByTag(PR_RTF_COMPRESSED, false, false);
  ASSERT_TRUE(body);
  EXPECT_EQ(body->AsString(), QStringLiteral("{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}"));
  EXPECT_EQ(message.Properties().MessageFormat, TOxMessageFormat::mfRTF);
}

TEST(OxMSGFile, IsDigitTestsHexadecimalDigits) {
  EXPECT_TRUE(TOxMSGFile::IsDigit(u"0037001F"));
  EXPECT_TRUE(TOxMSGFile::IsDigit(u"abcdef09"));
  EXPECT_TRUE(TOxMSGFile::IsDigit(u""));
  EXPECT_FALSE(TOxMSGFile::IsDigit(u"rsion1.0"));
  EXPECT_FALSE(TOxMSGFile::IsDigit(u"0037001G"));
}
