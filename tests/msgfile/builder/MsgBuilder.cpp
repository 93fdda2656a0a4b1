#include "MsgBuilder.h"

#include <QtEndian>

namespace kavio::test {

namespace {

QByteArray Le32(uint32_t AValue) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(AValue, bytes.data());
  return bytes;
}

QByteArray Le64(uint64_t AValue) {
  QByteArray bytes(8, '\0');
  qToLittleEndian(AValue, bytes.data());
  return bytes;
}

QByteArray EntryBytes(uint16_t AType, uint16_t AId, uint32_t AFlags, QByteArray AValue8) {
  QByteArray entry(8, '\0');
  qToLittleEndian(AType, entry.data());
  qToLittleEndian(AId, entry.data() + 2);
  qToLittleEndian(AFlags, entry.data() + 4);
  AValue8.resize(8, '\0');
  return entry + AValue8;
}

constexpr uint32_t ReadableWritable = 0x6;

QString Hex8(uint32_t AValue) { return QStringLiteral("%1").arg(AValue, 8, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

QString ValueStreamName(uint32_t ATag) { return QStringLiteral("__substg1.0_") + Hex8(ATag); }

int64_t ToFileTime(const QDateTime& AInstant) { return AInstant.toMSecsSinceEpoch() * 10000 + 116444736000000000LL; }

using TScope = TMsgBuilder::TScope;

TScope& TScope::Unicode(uint32_t ATag, const QString& AText) {
  QByteArray bytes(AText.size() * 2, '\0');
  for (qsizetype i = 0; i < AText.size(); ++i) qToLittleEndian(AText[i].unicode(), bytes.data() + 2 * i);
  Stream(ValueStreamName(ATag), bytes);
  // MS-OXMSG: the entry of a string holds its size plus the terminator's.
  FEntries.push_back(
      EntryBytes(uint16_t(ATag), uint16_t(ATag >> 16), ReadableWritable, Le32(uint32_t(bytes.size() + 2))));
  return *this;
}

TScope& TScope::Ansi(uint32_t ATag, const QByteArray& AText) {
  Stream(ValueStreamName(ATag), AText);
  FEntries.push_back(
      EntryBytes(uint16_t(ATag), uint16_t(ATag >> 16), ReadableWritable, Le32(uint32_t(AText.size() + 1))));
  return *this;
}

TScope& TScope::Binary(uint32_t ATag, const QByteArray& ABytes) {
  Stream(ValueStreamName(ATag), ABytes);
  FEntries.push_back(EntryBytes(uint16_t(ATag), uint16_t(ATag >> 16), ReadableWritable, Le32(uint32_t(ABytes.size()))));
  return *this;
}

TScope& TScope::Long(uint32_t ATag, int32_t AValue) {
  return Entry(uint16_t(ATag), uint16_t(ATag >> 16), ReadableWritable, Le32(uint32_t(AValue)));
}

TScope& TScope::FileTime(uint32_t ATag, const QDateTime& AInstant) { return RawFileTime(ATag, ToFileTime(AInstant)); }

TScope& TScope::RawFileTime(uint32_t ATag, int64_t AFileTime) {
  return Entry(uint16_t(ATag), uint16_t(ATag >> 16), ReadableWritable, Le64(uint64_t(AFileTime)));
}

TScope& TScope::Entry(uint16_t AType, uint16_t AId, uint32_t AFlags, const QByteArray& AValue8) {
  FEntries.push_back(EntryBytes(AType, AId, AFlags, AValue8));
  return *this;
}

TScope& TScope::Stream(const QString& AName, const QByteArray& ABytes) {
  FStreams.emplace_back(AName, ABytes);
  return *this;
}

TScope& TScope::WithoutPropertyStream() {
  FPropertyStream = false;
  return *this;
}

TScope& TScope::HeaderSize(int ABytes) {
  FHeaderSize = ABytes;
  return *this;
}

TScope& TScope::Recipient() {
  FChildren.push_back(std::make_unique<TScope>(TKind::Recipient,
                                               QStringLiteral("__recip_version1.0_#") + Hex8(uint32_t(FRecipients++))));
  return *FChildren.back();
}

TScope& TScope::Attachment() {
  FChildren.push_back(std::make_unique<TScope>(
      TKind::Attachment, QStringLiteral("__attach_version1.0_#") + Hex8(uint32_t(FAttachments++))));
  return *FChildren.back();
}

TScope& TScope::EmbeddedMessage() {
  FChildren.push_back(std::make_unique<TScope>(TKind::Embedded, QStringLiteral("__substg1.0_3701000D")));
  // The attachment's entry of its data object.
  Entry(0x000D, 0x3701, ReadableWritable, Le32(0xFFFFFFFF));
  return *FChildren.back();
}

TScope& TScope::OleObject(const platform::TClassId& AClassId) {
  TScope& object = Storage(QStringLiteral("__substg1.0_3701000D"), AClassId);
  object.Stream(QStringLiteral("\001CompObj"), QByteArray("\x01\x00\xfe\xff\x03\x0a\x00\x00", 8));
  return object;
}

TScope& TScope::Storage(const QString& AName, const platform::TClassId& AClassId) {
  FChildren.push_back(std::make_unique<TScope>(TKind::Plain, AName));
  FChildren.back()->FClassId = AClassId;
  FChildren.back()->FPropertyStream = false;
  return *FChildren.back();
}

QByteArray TScope::PropertyStream() const {
  int header = FHeaderSize;
  if (header < 0) header = FKind == TKind::Message ? 32 : FKind == TKind::Embedded ? 24 : 8;
  QByteArray stream(header, '\0');
  if (header >= 24) {
    // Next recipient id, next attachment id, recipient count, attachment count.
    stream.replace(8, 4, Le32(uint32_t(FRecipients)));
    stream.replace(12, 4, Le32(uint32_t(FAttachments)));
    stream.replace(16, 4, Le32(uint32_t(FRecipients)));
    stream.replace(20, 4, Le32(uint32_t(FAttachments)));
  }
  for (const QByteArray& entry : FEntries) stream += entry;
  return stream;
}

void TScope::WriteTo(platform::TCompoundFileWriter& AWriter, const QStringList& APath) const {
  if (!APath.isEmpty()) AWriter.AddStorage(APath, FClassId);
  if (FPropertyStream) AWriter.AddStream(APath, QStringLiteral("__properties_version1.0"), PropertyStream());
  for (const auto& [name, bytes] : FStreams) AWriter.AddStream(APath, name, bytes);
  for (const auto& child : FChildren) child->WriteTo(AWriter, APath + QStringList{child->FName});
}

QByteArray TMsgBuilder::Build() const {
  platform::TCompoundFileWriter writer;
  FRoot.WriteTo(writer, {});
  return writer.Finish();
}

}  // namespace kavio::test
