#include "MsgGenerator.h"

#include "RtfCompressor.h"
#include "platform/CompoundFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

namespace kavio::tools {

namespace {

const QStringList FirstNames = {"Hans", "Jürgen", "Anna", "Sören", "Maria", "Klaus", "Petra", "Ömer", "Lena", "Björn"};
const QStringList LastNames = {"Müller", "Schmidt", "Meier", "Weiß", "Schäfer", "Köhler", "Groß", "Becker", "Wagner"};
const QStringList Domains = {"example.com", "beispiel.de", "firma-gmbh.de", "mail.example.org"};
const QStringList Subjects = {"Angebot Heizung",     "AW: Termin nächste Woche", "Rechnung März",
                              "WG: Protokoll",       "Bestellung Nr. 4711",      "Urlaubsübergabe",
                              "Frage zur Lieferung", "Einladung Grillfest"};
const QStringList Words = {"bitte",  "Angebot",  "Lieferung", "wir", "Ihnen", "gern", "Grüße",  "nächste",     "Woche",
                           "Termin", "Rechnung", "über",      "und", "die",   "der",  "Anhang", "freundlichen"};

constexpr uint32_t ReadableWritable = 6;

QString Hex8(uint32_t AValue) { return QStringLiteral("%1").arg(AValue, 8, 16, QLatin1Char('0')).toUpper(); }

// One storage of the message file under construction: value streams, property entries and
// sub-storages.
class TStorageWriter {
 public:
  TStorageWriter(platform::TCompoundFileWriter& AWriter, QStringList APath, int AHeaderSize)
      : FWriter(AWriter), FPath(std::move(APath)), FHeaderSize(AHeaderSize) {}

  void Text(uint16_t AId, const QString& AText, bool AUnicode) {
    QByteArray bytes;
    if (AUnicode) {
      bytes.resize(AText.size() * 2);
      for (qsizetype i = 0; i < AText.size(); ++i) qToLittleEndian(AText[i].unicode(), bytes.data() + 2 * i);
      Variable(AId, 0x001F, bytes, bytes.size() + 2);
    } else {
      bytes = AText.toLatin1();  // the generated texts are all in Windows-1252's Latin-1 part
      Variable(AId, 0x001E, bytes, bytes.size() + 1);
    }
  }
  void Binary(uint16_t AId, const QByteArray& ABytes) { Variable(AId, 0x0102, ABytes, ABytes.size()); }
  void Long(uint16_t AId, int32_t AValue) {
    QByteArray slot(8, '\0');
    qToLittleEndian(AValue, slot.data());
    Entry(0x0003, AId, slot);
  }
  void Time(uint16_t AId, const QDateTime& AInstant) {
    QByteArray slot(8, '\0');
    qToLittleEndian<int64_t>(AInstant.toMSecsSinceEpoch() * 10000 + 116444736000000000LL, slot.data());
    Entry(0x0040, AId, slot);
  }
  void Bool(uint16_t AId, bool AValue) { Entry(0x000B, AId, QByteArray(1, AValue ? '\1' : '\0')); }
  void Stream(const QString& AName, const QByteArray& ABytes) { FWriter.AddStream(FPath, AName, ABytes); }
  void Counts(int ARecipients, int AAttachments) {
    FRecipients = ARecipients;
    FAttachments = AAttachments;
  }

  void Finish() {
    QByteArray stream(FHeaderSize, '\0');
    if (FHeaderSize >= 24) {
      qToLittleEndian<uint32_t>(uint32_t(FRecipients), stream.data() + 8);
      qToLittleEndian<uint32_t>(uint32_t(FAttachments), stream.data() + 12);
      qToLittleEndian<uint32_t>(uint32_t(FRecipients), stream.data() + 16);
      qToLittleEndian<uint32_t>(uint32_t(FAttachments), stream.data() + 20);
    }
    stream += FEntries;
    FWriter.AddStream(FPath, QStringLiteral("__properties_version1.0"), stream);
  }

 private:
  void Variable(uint16_t AId, uint16_t AType, const QByteArray& ABytes, qsizetype ASizeInEntry) {
    FWriter.AddStream(FPath, QStringLiteral("__substg1.0_") + Hex8((uint32_t(AId) << 16) | AType), ABytes);
    QByteArray slot(8, '\0');
    qToLittleEndian<uint32_t>(uint32_t(ASizeInEntry), slot.data());
    Entry(AType, AId, slot);
  }
  void Entry(uint16_t AType, uint16_t AId, QByteArray ASlot) {
    QByteArray entry(8, '\0');
    qToLittleEndian(AType, entry.data());
    qToLittleEndian(AId, entry.data() + 2);
    qToLittleEndian(ReadableWritable, entry.data() + 4);
    ASlot.resize(8, '\0');
    FEntries += entry + ASlot;
  }

  platform::TCompoundFileWriter& FWriter;
  QStringList FPath;
  int FHeaderSize;
  QByteArray FEntries;
  int FRecipients = 0;
  int FAttachments = 0;
};

}  // namespace

TMsgGenerator::TMsgGenerator(uint32_t ASeed, TMsgGeneratorOptions AOptions) : FRandom(ASeed), FOptions(AOptions) {}

TGeneratedMsg TMsgGenerator::Next() {
  const auto pick = [this](const QStringList& AList) {
    return AList[std::uniform_int_distribution<qsizetype>(0, AList.size() - 1)(FRandom)];
  };
  const auto text = [&](int ALength) {
    QString body;
    body.reserve(ALength + 16);
    while (body.size() < ALength) {
      body += pick(Words);
      body += std::uniform_int_distribution<int>(0, 9)(FRandom) == 0 ? QStringLiteral(".\r\n") : QStringLiteral(" ");
    }
    body.truncate(ALength);
    return body;
  };
  ++FNumber;
  TGeneratedMsg msg;
  msg.SenderName = pick(FirstNames) + QLatin1Char(' ') + pick(LastNames);
  msg.SenderAddress = QStringLiteral("%1.%2@%3")
                          .arg(pick(FirstNames).toLower(), pick(LastNames).toLower(), pick(Domains))
                          .replace(QStringLiteral(u"ü"), QStringLiteral("ue"))
                          .replace(QStringLiteral(u"ö"), QStringLiteral("oe"))
                          .replace(QStringLiteral(u"ä"), QStringLiteral("ae"))
                          .replace(QStringLiteral(u"ß"), QStringLiteral("ss"))
                          .replace(QStringLiteral(u"Ö"), QStringLiteral("Oe"));
  msg.Subject = pick(Subjects);
  // 2010 to 2024, any second.
  const qint64 seconds = std::uniform_int_distribution<qint64>(1262304000, 1735689599)(FRandom);
  msg.Date = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
  msg.FileName = QStringLiteral("%1 %2.msg")
                     .arg(FNumber, 5, 10, QLatin1Char('0'))
                     .arg(QString(msg.Subject).remove(QLatin1Char(':')));

  const bool unicode = FOptions.Unicode;
  platform::TCompoundFileWriter writer;
  // The class id of a message object (MS-OXMSG 2.1): {00020D0B-0000-0000-C000-000000000046}.
  writer.SetRootClassId(
      {0x0B, 0x0D, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46});
  writer.AddStorage({QStringLiteral("__nameid_version1.0")});
  writer.AddStream({QStringLiteral("__nameid_version1.0")}, QStringLiteral("__substg1.0_00020102"),
                   QByteArray(16, '\x11'));
  writer.AddStream({QStringLiteral("__nameid_version1.0")}, QStringLiteral("__substg1.0_00030102"),
                   QByteArray(8, '\0'));
  writer.AddStream({QStringLiteral("__nameid_version1.0")}, QStringLiteral("__substg1.0_00040102"), QByteArray());

  const int recipients = 1 + std::uniform_int_distribution<int>(0, 2)(FRandom);
  const int attachments = FOptions.Attachments + (FOptions.EmbeddedMessage ? 1 : 0);
  TStorageWriter message(writer, {}, 32);
  message.Counts(recipients, attachments);
  message.Text(0x001A, QStringLiteral("IPM.Note"), unicode);
  message.Text(0x0037, msg.Subject, unicode);
  message.Text(0x0070, QString(msg.Subject).remove(QRegularExpression(QStringLiteral("^(AW|WG): "))), unicode);
  message.Text(0x0042, msg.SenderName, unicode);
  message.Text(0x0064, QStringLiteral("SMTP"), unicode);
  message.Text(0x0065, msg.SenderAddress, unicode);
  message.Text(0x0C1A, msg.SenderName, unicode);
  message.Text(0x0C1E, QStringLiteral("SMTP"), unicode);
  message.Text(0x0C1F, msg.SenderAddress, unicode);
  message.Text(0x5D01, msg.SenderAddress, unicode);
  message.Text(0x5D02, msg.SenderAddress, unicode);
  message.Text(0x0E04, pick(FirstNames) + QLatin1Char(' ') + pick(LastNames), unicode);  // PR_DISPLAY_TO
  if (FOptions.BodyBytes > 0) message.Text(0x1000, text(FOptions.BodyBytes), unicode);
  if (FOptions.RtfBytes > 0) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\plain\\f0\\fs20 ";
    while (rtf.size() < FOptions.RtfBytes - 2) rtf += text(200).toLatin1().replace("\r\n", "\\par\r\n") + ' ';
    rtf.truncate(std::max<qsizetype>(FOptions.RtfBytes - 1, 0));
    rtf += '}';
    message.Binary(0x1009, CompressRtf(rtf));
    message.Bool(0x0E1F, true);  // PR_RTF_IN_SYNC
  }
  message.Binary(0x0071, QByteArray(22, '\x01'));  // PR_CONVERSATION_INDEX
  message.Time(0x0039, msg.Date);                  // PR_CLIENT_SUBMIT_TIME
  message.Time(0x0E06, msg.Date.addSecs(std::uniform_int_distribution<int>(1, 600)(FRandom)));
  message.Time(0x3007, msg.Date.addSecs(700));
  message.Time(0x3008, msg.Date.addSecs(800));
  message.Long(0x0E07, 1);                         // PR_MESSAGE_FLAGS: read
  message.Long(0x0E08, 0);                         // PR_MESSAGE_SIZE (not kept up to date)
  message.Long(0x3FFD, 1252);                      // PR_MESSAGE_CODEPAGE
  message.Long(0x3FF1, 1031);                      // PR_MESSAGE_LOCALE_ID
  message.Long(0x3FDE, unicode ? 65001 : 1252);    // PR_INTERNET_CPID
  message.Long(0x340D, unicode ? 0x00040000 : 0);  // PR_STORE_SUPPORT_MASK: STORE_UNICODE_OK

  for (int r = 0; r < recipients; ++r) {
    const QStringList path{QStringLiteral("__recip_version1.0_#") + Hex8(uint32_t(r))};
    writer.AddStorage(path);
    TStorageWriter recipient(writer, path, 8);
    const QString name = pick(FirstNames) + QLatin1Char(' ') + pick(LastNames);
    recipient.Text(0x3001, name, unicode);
    recipient.Text(0x3002, QStringLiteral("SMTP"), unicode);
    recipient.Text(0x3003, QStringLiteral("empfaenger%1@%2").arg(r).arg(pick(Domains)), unicode);
    recipient.Long(0x0C15, r == 0 ? 1 : 2);  // PR_RECIPIENT_TYPE: To, Cc
    recipient.Long(0x3000, r);               // PR_ROWID
    recipient.Finish();
  }
  for (int a = 0; a < attachments; ++a) {
    const QStringList path{QStringLiteral("__attach_version1.0_#") + Hex8(uint32_t(a))};
    writer.AddStorage(path);
    TStorageWriter attachment(writer, path, 8);
    attachment.Long(0x0E21, a);  // PR_ATTACH_NUM
    attachment.Time(0x3007, msg.Date.addDays(-1));
    attachment.Time(0x3008, msg.Date.addDays(-1));
    if (a < FOptions.Attachments) {
      attachment.Long(0x3705, 1);  // PR_ATTACH_METHOD: by value
      attachment.Text(0x3707, QStringLiteral("Anlage%1.pdf").arg(a + 1), unicode);
      attachment.Text(0x3703, QStringLiteral(".pdf"), unicode);
      QByteArray data = "%PDF-1.4\n";
      while (data.size() < FOptions.AttachmentBytes) data += text(100).toUtf8();
      data.truncate(FOptions.AttachmentBytes);
      attachment.Binary(0x3701, data);
    } else {
      attachment.Long(0x3705, 5);  // PR_ATTACH_METHOD: embedded message
      attachment.Text(0x3001, QStringLiteral("Weitergeleitete Nachricht"), unicode);
      QStringList inner = path;
      inner << QStringLiteral("__substg1.0_3701000D");
      writer.AddStorage(inner);
      TStorageWriter embedded(writer, inner, 24);
      embedded.Text(0x001A, QStringLiteral("IPM.Note"), unicode);
      embedded.Text(0x0037, QStringLiteral("Ursprüngliche Nachricht"), unicode);
      embedded.Text(0x0042, pick(FirstNames) + QLatin1Char(' ') + pick(LastNames), unicode);
      embedded.Text(0x1000, text(500), unicode);
      embedded.Time(0x0039, msg.Date.addDays(-3));
      embedded.Finish();
    }
    attachment.Finish();
  }
  message.Finish();
  msg.Bytes = writer.Finish();
  return msg;
}

int WriteMsgFiles(const QString& AFolder, int ACount, uint32_t ASeed, const TMsgGeneratorOptions& AOptions) {
  if (!QDir().mkpath(AFolder)) return -1;
  TMsgGenerator generator(ASeed, AOptions);
  for (int i = 0; i < ACount; ++i) {
    const TGeneratedMsg msg = generator.Next();
    QFile file(QDir(AFolder).filePath(msg.FileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(msg.Bytes) != msg.Bytes.size()) return -1;
  }
  return ACount;
}

}  // namespace kavio::tools
