#include "msgfile/MSGProperty.h"

#include "msgfile/CompressedRtf.h"
#include "msgfile/MapiTags.h"
#include "msgfile/OxMessage.h"
#include "platform/CodePage.h"

#include <QTimeZone>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace kavio::msgfile {

namespace {

template <typename T>
T LittleEndianAt(const uint8_t* AData) {
  T value;
  std::memcpy(&value, AData, sizeof value);
  return qFromLittleEndian(value);
}

// Reads a fixed-size value; bytes past the end of the stream count as zero.
template <typename T>
T ReadFixed(TStream& AStream) {
  uint8_t bytes[sizeof(T)];
  AStream.ReadPadded(bytes, sizeof bytes);
  return LittleEndianAt<T>(bytes);
}

double AsDouble(uint64_t ABits) {
  double value;
  std::memcpy(&value, &ABits, sizeof value);
  return value;
}

float AsFloat(uint32_t ABits) {
  float value;
  std::memcpy(&value, &ABits, sizeof value);
  return value;
}

TMSGTime AppTime(double ADays) {
  TMSGTime time;
  if (!std::isfinite(ADays) || ADays < -693593.0 || ADays > 2958466.0) return time;  // years 1 to 9999
  time.Local = ADays;
  time.Instant = platform::DateTimeToInstant(ADays);
  return time;
}

// Reads up to ACount bytes (what arrives).
QByteArray ReadBytes(TStream& AStream, int32_t ACount) {
  if (ACount <= 0) return {};
  const int64_t available = std::max<int64_t>(AStream.Size() - AStream.Position(), 0);
  QByteArray bytes(static_cast<qsizetype>(std::min<int64_t>(ACount, available)), Qt::Uninitialized);
  const int64_t got = AStream.Read(bytes.data(), bytes.size());
  bytes.truncate(static_cast<qsizetype>(got));
  return bytes;
}

QString Utf16LittleEndian(const QByteArray& ABytes) {
  const qsizetype units = ABytes.size() / 2;
  QString text(units, Qt::Uninitialized);
  const auto* data = reinterpret_cast<const uint8_t*>(ABytes.constData());
  for (qsizetype i = 0; i < units; ++i) text[i] = QChar(LittleEndianAt<uint16_t>(data + 2 * i));
  return text;
}

// Code pages that do not describe 8-bit text.
bool IsUsable8BitCodePage(int32_t ACodePage) {
  if (ACodePage <= 0) return false;
  switch (ACodePage) {
    case 1200:   // UTF-16LE
    case 1201:   // UTF-16BE
    case 12000:  // UTF-32LE
    case 12001:  // UTF-32BE
    case 65000:  // UTF-7
      return false;
    default:
      return platform::IsCodePageSupported(static_cast<unsigned>(ACodePage));
  }
}

}  // namespace

TMSGTime FileTimeToElapsedTime(int64_t AFileTime) {
  // 1601-01-01 to 1970-01-01 in 100-ns intervals.
  constexpr int64_t UnixEpochAsFileTime = 116444736000000000LL;
  TMSGTime time;
  if (AFileTime <= 0) return time;
  const int64_t msecs = (AFileTime - UnixEpochAsFileTime) / 10000;
  const QDateTime instant = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
  if (!instant.isValid()) return time;
  const int year = instant.toLocalTime().date().year();
  if (year < 1 || year > 9999) return time;
  time.Instant = instant;
  time.Local = platform::InstantToDateTime(instant);
  return time;
}

QString ClsidToString(const uint8_t AGuid[16]) {
  const auto hex = [](uint64_t AValue, int ADigits) {
    return QStringLiteral("%1").arg(AValue, ADigits, 16, QLatin1Char('0')).toUpper();
  };
  QString text = QLatin1Char('{') + hex(LittleEndianAt<uint32_t>(AGuid), 8) + QLatin1Char('-') +
                 hex(LittleEndianAt<uint16_t>(AGuid + 4), 4) + QLatin1Char('-') +
                 hex(LittleEndianAt<uint16_t>(AGuid + 6), 4) + QLatin1Char('-');
  for (int i = 8; i < 16; ++i) {
    if (i == 10) text += QLatin1Char('-');
    text += hex(AGuid[i], 2);
  }
  return text + QLatin1Char('}');
}

// ---- TMSGProperty ----

TMSGProperty::TMSGProperty(TMSGProperties& ACollection)
    : FCollection(ACollection), FSubProperties(std::make_unique<TMSGProperties>(ACollection.PropOwner(), this)) {}

TMSGProperty::~TMSGProperty() = default;

void TMSGProperty::Assign(const TMSGProperty& ASource) {
  TagID = ASource.TagID;
  Value = ASource.Value;
  ValueLength = ASource.ValueLength;
  Reserved1 = ASource.Reserved1;
  FSubProperties->Clear();
  FSubProperties->MessageFormat = ASource.SubProperties().MessageFormat;
  for (int i = 0; i < ASource.SubProperties().Count(); ++i)
    FSubProperties->Add().Assign(ASource.SubProperties().GetProperty(i));
}

QString TMSGProperty::AsString() const {
  struct TVisitor {
    const TMSGProperty& Item;
    QString operator()(std::monostate) const { return {}; }
    QString operator()(bool AValue) const { return AValue ? QStringLiteral("True") : QStringLiteral("False"); }
    QString operator()(int16_t AValue) const { return QString::number(AValue); }
    QString operator()(int32_t AValue) const { return QString::number(AValue); }
    QString operator()(uint8_t AValue) const { return QString::number(AValue); }
    QString operator()(uint32_t AValue) const { return QString::number(AValue); }
    QString operator()(double AValue) const { return QString::number(AValue, 'g', 15); }
    QString operator()(const TCurrency& AValue) const { return QString::number(AValue.Amount); }
    QString operator()(const TMSGTime& AValue) const {
      return platform::DateTimeText(platform::DayCountToLocal(AValue.Local));
    }
    QString operator()(const TAnsiString& AValue) const {
      const unsigned codePage = AValue.CodePage ? AValue.CodePage : Item.Collection().MessageCodePage();
      return platform::DecodeCodePage(AValue.Bytes, codePage);
    }
    QString operator()(const QString& AValue) const { return AValue; }
    QString operator()(const QByteArray& AValue) const { return QString::fromLatin1(AValue); }
  };
  return std::visit(TVisitor{*this}, Value);
}

QString TMSGProperty::ProcessRTFCompressedLZFU(TStream& AStream, int32_t& ABrLen) {
  if (auto* file = dynamic_cast<TOxMSGFile*>(FCollection.PropOwner()); file && file->OnDecompressRTF) {
    QString result;
    file->OnDecompressRTF(*this, AStream, ABrLen, result);
    return result;
  }
  if (ABrLen <= int32_t(sizeof(TCompressedRtfHeader))) {
    ABrLen = 0;
    return {};
  }
  const QByteArray value = ReadBytes(AStream, ABrLen);
  const QByteArray rtf = DecompressRtf(value);
  ABrLen = static_cast<int32_t>(rtf.size());
  return QString::fromLatin1(rtf);
}

void TMSGProperty::ApplyValue(TStream& AStream, int32_t ABrLen) {
  TMSGProperties& collection = FCollection;
  switch (TagID) {
    case PR_BODY_W:
    case PR_BODY_A:
      if (collection.MessageFormat == TOxMessageFormat::mfUnknown) collection.MessageFormat = TOxMessageFormat::mfText;
      break;
    case PR_RTF_COMPRESSED:
      collection.MessageFormat = TOxMessageFormat::mfRTF;
      break;
    case PR_BODY_HTML:
      collection.MessageFormat = TOxMessageFormat::mfHTML;
      break;
    default:
      break;
  }
  int32_t brLen = std::max(ABrLen, 0);
  if (TagID == PR_RTF_COMPRESSED) {
    // An empty text falls through to the byte string: after the built-in decoder of length 0,
    // after the hook of the value's size read from where the hook left the stream.
    QString text = ProcessRTFCompressedLZFU(AStream, brLen);
    if (!text.isEmpty()) {
      Value = std::move(text);
      ValueLength = brLen;
      return;
    }
  }
  const auto fixed = [&](int32_t ASize) {
    if (brLen == 0) brLen = ASize;
  };
  switch (PropertyType()) {
    case PT_SHORT:
      Value = ReadFixed<int16_t>(AStream);
      fixed(2);
      break;
    case PT_LONG:
      Value = ReadFixed<int32_t>(AStream);
      fixed(4);
      break;
    case PT_FLOAT:
      Value = double(AsFloat(ReadFixed<uint32_t>(AStream)));
      fixed(4);
      break;
    case PT_DOUBLE:
      Value = AsDouble(ReadFixed<uint64_t>(AStream));
      fixed(8);
      break;
    case PT_CURRENCY:
    case PT_I8:
      Value = double(ReadFixed<int64_t>(AStream));
      fixed(8);
      break;
    case PT_APPTIME:
      Value = AppTime(AsDouble(ReadFixed<uint64_t>(AStream)));
      fixed(8);
      break;
    case PT_ERROR:
      Value = ReadFixed<uint32_t>(AStream);
      fixed(4);
      break;
    case PT_BOOLEAN:
      Value = ReadFixed<uint16_t>(AStream) != 0;
      fixed(2);
      break;
    case PT_OBJECT:
    case PT_BINARY: {
      QByteArray bytes = ReadBytes(AStream, brLen);
      brLen = static_cast<int32_t>(bytes.size());
      Value = std::move(bytes);
      break;
    }
    case PT_STRING8:
    case PT_MV_STRING8:
    case 0x8008:
    case 0x8013: {
      QByteArray bytes = ReadBytes(AStream, brLen);
      if (!bytes.isEmpty() && bytes.endsWith('\0')) bytes.chop(1);
      brLen = static_cast<int32_t>(bytes.size());
      Value = TAnsiString{std::move(bytes), 0};
      break;
    }
    case PT_UNICODE:
    case PT_MV_UNICODE: {
      const QByteArray bytes = ReadBytes(AStream, brLen);
      // A terminating U+0000 in the data stays part of the text.
      Value = Utf16LittleEndian(bytes);
      brLen = static_cast<int32_t>(bytes.size());
      break;
    }
    case PT_SYSTIME:
      Value = FileTimeToElapsedTime(ReadFixed<int64_t>(AStream));
      fixed(8);
      break;
    case PT_CLSID: {
      uint8_t guid[16];
      AStream.ReadPadded(guid, sizeof guid);
      Value = ClsidToString(guid);
      fixed(16);
      break;
    }
    default:
      Value = QString();
      break;
  }
  ValueLength = brLen;
}

void TMSGProperty::ApplyGeneralProperty(TStream& AStream, uint16_t AID, uint16_t ATypeID) {
  uint8_t slot[8];
  AStream.ReadPadded(slot, sizeof slot);
  uint16_t type = PT_UNSPECIFIED;
  switch (ATypeID) {
    case 0x0002:
    case 0x0012:
      Value = LittleEndianAt<int16_t>(slot);
      ValueLength = 2;
      type = PT_SHORT;
      break;
    case 0x0010:
    case 0x0011:
      Value = slot[0];
      ValueLength = 2;
      type = PT_SHORT;
      break;
    case 0x0003:
    case 0x0013:
      Value = LittleEndianAt<int32_t>(slot);
      ValueLength = 4;
      type = PT_LONG;
      break;
    case 0x0004:
      Value = double(AsFloat(LittleEndianAt<uint32_t>(slot)));
      ValueLength = 4;
      type = PT_DOUBLE;
      break;
    case 0x0005:
      Value = AsDouble(LittleEndianAt<uint64_t>(slot));
      ValueLength = 8;
      type = PT_DOUBLE;
      break;
    case 0x0006:
      Value = TCurrency{LittleEndianAt<int64_t>(slot)};
      ValueLength = 8;
      type = PT_CURRENCY;
      break;
    case 0x0007:
      Value = AppTime(AsDouble(LittleEndianAt<uint64_t>(slot)));
      ValueLength = 8;
      type = PT_APPTIME;
      break;
    case 0x0008: {
      // A counted 8-bit string; only what fits into the slot after its 16-bit length.
      const int16_t length = LittleEndianAt<int16_t>(slot);
      const int count = std::clamp<int>(length, 0, 6);
      Value = TAnsiString{QByteArray(reinterpret_cast<const char*>(slot + 2), count), 0};
      ValueLength = count;
      type = PT_UNICODE;
      break;
    }
    case 0x000B:
      Value = slot[0] != 0;
      ValueLength = 1;
      type = PT_BOOLEAN;
      break;
    case 0x000E:
      // 16 bytes would reach into the next entry: the slot holds 8.
      Value = QByteArray(reinterpret_cast<const char*>(slot), 8);
      ValueLength = 8;
      type = PT_BINARY;
      break;
    case 0x0014:
    case 0x0015:
      Value = double(LittleEndianAt<int64_t>(slot));
      ValueLength = 8;
      type = PT_I8;
      break;
    case 0x0019:
      Value = LittleEndianAt<int32_t>(slot);
      ValueLength = 4;
      type = PT_ERROR;
      break;
    case 0x001E:
      Value = QByteArray(reinterpret_cast<const char*>(slot), 4);
      ValueLength = 4;
      type = PT_STRING8;
      break;
    case 0x0040:
      Value = FileTimeToElapsedTime(LittleEndianAt<int64_t>(slot));
      ValueLength = 8;
      type = PT_SYSTIME;
      break;
    case 0x0102:
      Value = QByteArray(reinterpret_cast<const char*>(slot), 8);
      ValueLength = 8;
      type = PT_BINARY;
      break;
    default:
      Value = QString();
      ValueLength = 0;
      type = PT_UNSPECIFIED;
      break;
  }
  TagID = MakeTag(AID, type);
}

// ---- TMSGProperties ----

TMSGProperties::TMSGProperties(TOxMessage* APropOwner, TMSGProperty* AParentProperty)
    : FPropOwner(APropOwner), FParentProperty(AParentProperty) {}

TMSGProperties::~TMSGProperties() = default;

TMSGProperty& TMSGProperties::Add() {
  FItems.push_back(std::make_unique<TMSGProperty>(*this));
  return *FItems.back();
}

void TMSGProperties::Clear() {
  FItems.clear();
  MessageFormat = TOxMessageFormat::mfUnknown;
}

TMSGProperty* TMSGProperties::GetPropertyByTag(uint32_t ATagID, bool AWithoutType, bool AIncludeDetails) const {
  const uint16_t id = GetPureTag(ATagID);
  for (const auto& item : FItems)
    if (AWithoutType ? item->PureTag() == id : item->TagID == ATagID) return item.get();
  if (!AIncludeDetails) return nullptr;
  for (const auto& item : FItems) {
    if (item->SubProperties().IsEmpty()) continue;
    if (TMSGProperty* found = item->SubProperties().GetPropertyByTag(ATagID, AWithoutType, AIncludeDetails))
      return found;
  }
  return nullptr;
}

QString TMSGProperties::GetPropertyAsString(uint32_t ATagID, bool AWithoutType, bool AIncludeDetails) const {
  const TMSGProperty* item = GetPropertyByTag(ATagID, AWithoutType, AIncludeDetails);
  return item ? item->AsString() : QString();
}

bool TMSGProperties::IsMainProperties() const { return FPropOwner && &FPropOwner->Properties() == this; }

const TMSGProperties& TMSGProperties::MessageCollection() const {
  const TMSGProperties* collection = this;
  while (collection->FParentProperty && collection->FParentProperty->TagID != PR_ATTACH_DATA_OBJ)
    collection = &collection->FParentProperty->Collection();
  return *collection;
}

TMSGProperty* TMSGProperties::GetOwnProperty(uint32_t ATagID) const {
  const TMSGProperties& message = MessageCollection();
  for (const auto& item : message.FItems)
    if (item->TagID == ATagID) return item.get();
  for (const auto& item : message.FItems) {
    if (item->TagID != 0 || item->SubProperties().IsEmpty()) continue;
    const auto* name = std::get_if<QString>(&item->Value);
    if (!name || *name != QLatin1String("__properties_version1.0")) continue;
    if (TMSGProperty* found = item->SubProperties().GetPropertyByTag(ATagID, false, false)) return found;
  }
  return nullptr;
}

unsigned TMSGProperties::MessageCodePage() const {
  const auto number = [this](uint32_t ATag) -> int32_t {
    const TMSGProperty* item = GetOwnProperty(ATag);
    const auto* value = item ? std::get_if<int32_t>(&item->Value) : nullptr;
    return value ? *value : 0;
  };
  if (const int32_t codePage = number(PR_MESSAGE_CODEPAGE); IsUsable8BitCodePage(codePage))
    return static_cast<unsigned>(codePage);
  if (const int32_t locale = number(PR_MESSAGE_LOCALE_ID); locale > 0) {
    const unsigned codePage = platform::AnsiCodePageOfLocale(static_cast<unsigned>(locale));
    if (IsUsable8BitCodePage(static_cast<int32_t>(codePage))) return codePage;
  }
  if (const int32_t codePage = number(PR_INTERNET_CPID); IsUsable8BitCodePage(codePage))
    return static_cast<unsigned>(codePage);
  return platform::CodePageWindows1252;
}

QString TMSGProperties::GetSubject() const {
  const bool details = !IsMainProperties();
  QString subject = GetPropertyAsString(PR_SUBJECT_W, false, details);
  if (subject.isEmpty()) subject = GetPropertyAsString(PR_SUBJECT_A, false, details);
  if (subject.isEmpty()) subject = GetPropertyAsString(PR_CONVERSATION_TOPIC_A, false, details);
  return subject;
}

QString TMSGProperties::GetSenderAddress() const {
  const bool details = !IsMainProperties();
  QString address = GetPropertyAsString(PR_SENT_REPRESENTING_EMAIL_ADDRESS_A, false, details);
  if (address.isEmpty()) address = GetPropertyAsString(PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, false, details);
  return address;
}

QString TMSGProperties::GetSenderDisplayName() const {
  const bool details = !IsMainProperties();
  QString name = GetPropertyAsString(PR_SENT_REPRESENTING_NAME_A, false, details);
  if (name.isEmpty()) name = GetPropertyAsString(PR_SENT_REPRESENTING_NAME_W, false, details);
  if (const qsizetype nul = name.indexOf(QChar(0)); nul >= 0) name.remove(nul, 1);
  return name;
}

QString TMSGProperties::GetSenderName() const {
  const QString name = GetSenderDisplayName();
  const QString address = GetSenderAddress();
  if (address.isEmpty()) return name;
  if (name.isEmpty()) return address;
  return GetNormalizedName(name) + QStringLiteral(" <") + address + QLatin1Char('>');
}

QString TMSGProperties::GetSenderInternetAddress() const {
  const bool details = !IsMainProperties();
  QString type = GetPropertyAsString(PR_SENT_REPRESENTING_ADDRTYPE_W, false, details);
  if (type.isEmpty()) type = GetPropertyAsString(PR_SENT_REPRESENTING_ADDRTYPE_A, false, details);
  if (type.remove(QChar(0)).compare(QLatin1String("EX"), Qt::CaseInsensitive) == 0) {
    for (const uint32_t tag : {PR_SENT_REPRESENTING_SMTP_ADDRESS_W, PR_SENT_REPRESENTING_SMTP_ADDRESS_A,
                               PR_SENDER_SMTP_ADDRESS_W, PR_SENDER_SMTP_ADDRESS_A}) {
      const QString smtp = GetPropertyAsString(tag, false, details);
      if (!smtp.isEmpty()) return smtp;
    }
  }
  return GetSenderAddress();
}

const TMSGProperty* TMSGProperties::MessageDateItem() const {
  for (const uint32_t tag : MessageDateTags)
    if (const TMSGProperty* item = GetOwnProperty(tag)) return item;
  return nullptr;
}

platform::TDateTime TMSGProperties::GetMessageDate() const {
  const TMSGProperty* item = MessageDateItem();
  const auto* time = item ? std::get_if<TMSGTime>(&item->Value) : nullptr;
  return time ? time->Local : platform::NoDate;
}

QDateTime TMSGProperties::GetMessageInstant() const {
  const TMSGProperty* item = MessageDateItem();
  const auto* time = item ? std::get_if<TMSGTime>(&item->Value) : nullptr;
  return time ? time->Instant : QDateTime();
}

QString GetNormalizedName(const QString& AName) {
  for (const QChar c : AName)
    if (c == QLatin1Char(' ') || c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char(':'))
      return QLatin1Char('"') + AName + QLatin1Char('"');
  return AName;
}

}  // namespace kavio::msgfile
