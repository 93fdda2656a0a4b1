#pragma once
// The property tree of a loaded message: items with a MAPI tag and a typed value, each owning a
// collection of sub-items (the contents of a storage or of the property stream).

#include "msgfile/MsgStream.h"
#include "platform/DateTime.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace kavio::msgfile {

class TOxMessage;
class TMSGProperties;

// A currency amount as stored: the signed 64-bit integer itself (MAPI means 1/10,000 units).
struct TCurrency {
  int64_t Amount = 0;
  bool operator==(const TCurrency&) const = default;
};

// A point in time: the local day-count date-time formed with the zone rules in force at that
// instant, and the instant itself. A time that cannot be converted is Local 0 with an invalid
// Instant.
struct TMSGTime {
  platform::TDateTime Local = platform::NoDate;
  QDateTime Instant;
  bool operator==(const TMSGTime&) const = default;
};

// 8-bit text and the Windows code page it is written in; CodePage 0 stands for the code page of
// the message the item belongs to, which is looked up when the text is asked for.
struct TAnsiString {
  QByteArray Bytes;
  unsigned CodePage = 0;
  bool operator==(const TAnsiString&) const = default;
};

// The decoded value of an item. QByteArray is a byte string (binary data), not text.
using TMSGValue = std::variant<std::monostate, bool, int16_t, int32_t, uint8_t, uint32_t, double, TCurrency, TMSGTime,
                               TAnsiString, QString, QByteArray>;

enum class TOxMessageFormat { mfUnknown, mfText, mfRTF, mfHTML };

// A 16-byte entry of a property stream (MS-OXMSG 2.4.2), little-endian.
struct TPropertyEntry {
  uint16_t Type;
  uint16_t Id;
  uint32_t Flags;
  uint8_t Value[8];  // fixed-size values in place; for variable-length ones their size
};
static_assert(sizeof(TPropertyEntry) == 16);

// The headers in front of the entries (MS-OXMSG 2.4.1): 32 bytes in the message's own property
// stream, 24 in an embedded message's, 8 in a recipient's or an attachment's.
struct TTopLevelPropertyHeader {
  uint8_t Reserved[8];
  uint32_t NextRecipientId;
  uint32_t NextAttachmentId;
  uint32_t RecipientCount;
  uint32_t AttachmentCount;
  uint8_t Reserved2[8];
};
static_assert(sizeof(TTopLevelPropertyHeader) == 32);
struct TEmbeddedPropertyHeader {
  uint8_t Reserved[8];
  uint32_t NextRecipientId;
  uint32_t NextAttachmentId;
  uint32_t RecipientCount;
  uint32_t AttachmentCount;
};
static_assert(sizeof(TEmbeddedPropertyHeader) == 24);
struct TSubObjectPropertyHeader {
  uint8_t Reserved[8];
};
static_assert(sizeof(TSubObjectPropertyHeader) == 8);

// FILETIME (100-ns intervals since 1601-01-01 UTC) as a local date-time at that instant. The
// value 0 (no time) and values outside the years 1 to 9999 give Local 0 and no instant.
TMSGTime FileTimeToElapsedTime(int64_t AFileTime);

// A GUID in registry form: "{00020D0B-0000-0000-C000-000000000046}".
QString ClsidToString(const uint8_t AGuid[16]);

class TMSGProperty {
 public:
  explicit TMSGProperty(TMSGProperties& ACollection);
  TMSGProperty(const TMSGProperty&) = delete;
  TMSGProperty& operator=(const TMSGProperty&) = delete;
  ~TMSGProperty();

  // Copies tag, value, length, flags and the whole branch below.
  void Assign(const TMSGProperty& ASource);

  uint32_t TagID = 0;
  TMSGValue Value;
  int32_t ValueLength = 0;
  uint32_t Reserved1 = 0;  // the flags word of the property-stream entry the item came from

  TMSGProperties& SubProperties() const { return *FSubProperties; }
  TMSGProperties& Collection() const { return FCollection; }
  uint16_t PureTag() const { return static_cast<uint16_t>(TagID >> 16); }
  uint16_t PropertyType() const { return static_cast<uint16_t>(TagID & 0xFFFF); }
  // The value as text: UTF-16 text unchanged, 8-bit text through its code page, nothing as an
  // empty text, numbers and times in their usual text forms, byte strings one character a byte.
  QString AsString() const;

  // Decodes the item's whole value from AStream, which stands at its first byte; ABrLen is the
  // size the container reports (0: none). Strings and byte strings hold the bytes that arrive,
  // at most ABrLen; fixed-size types read their own size and count missing bytes as zero.
  // Raises TMsgError when the stream does.
  void ApplyValue(TStream& AStream, int32_t ABrLen);

  // Decodes the 8-byte value slot of a property-stream entry of identifier AID and type
  // ATypeID, which AStream stands at; leaves the stream behind the slot, at the next entry.
  void ApplyGeneralProperty(TStream& AStream, uint16_t AID, uint16_t ATypeID);

  // Compressed RTF: the message component's OnDecompressRTF hook when it is set, else the
  // built-in decoder. Each decoded byte becomes one UTF-16 code unit of the same value.
  // The built-in decoder sets ABrLen to the decoded size (0 for an empty result).
  QString ProcessRTFCompressedLZFU(TStream& AStream, int32_t& ABrLen);

 private:
  TMSGProperties& FCollection;
  std::unique_ptr<TMSGProperties> FSubProperties;
};

class TMSGProperties {
 public:
  explicit TMSGProperties(TOxMessage* APropOwner, TMSGProperty* AParentProperty = nullptr);
  TMSGProperties(const TMSGProperties&) = delete;
  TMSGProperties& operator=(const TMSGProperties&) = delete;
  ~TMSGProperties();

  // Appends a new item: tag 0, no value, length 0.
  TMSGProperty& Add();
  // Removes all items; MessageFormat becomes mfUnknown.
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  bool IsEmpty() const { return FItems.empty(); }
  TMSGProperty& GetProperty(int AIndex) const { return *FItems.at(static_cast<size_t>(AIndex)); }

  // The first item of this tag (or, WithoutType, of this identifier): this collection's items
  // in order, then, with IncludeDetails, each item's sub-collection in order, depth first.
  TMSGProperty* GetPropertyByTag(uint32_t ATagID, bool AWithoutType, bool AIncludeDetails) const;
  QString GetPropertyAsString(uint32_t ATagID, bool AWithoutType, bool AIncludeDetails) const;
  // Whether this is the message's own collection (the Properties of its owner).
  bool IsMainProperties() const;

  TOxMessage* PropOwner() const { return FPropOwner; }
  TMSGProperty* ParentProperty() const { return FParentProperty; }
  TOxMessageFormat MessageFormat = TOxMessageFormat::mfUnknown;

  // The collection of the message this collection belongs to: the main collection, or that of
  // the embedded message (an attachment's data object) it lies in.
  const TMSGProperties& MessageCollection() const;
  // The item of a property of the message itself: among the message collection's own items
  // (its value streams) and the entries of its property stream; not in recipients,
  // attachments or embedded messages.
  TMSGProperty* GetOwnProperty(uint32_t ATagID) const;
  // The code page of the message's 8-bit strings: PR_MESSAGE_CODEPAGE, else the ANSI code page
  // of PR_MESSAGE_LOCALE_ID, else PR_INTERNET_CPID, else Windows-1252.
  unsigned MessageCodePage() const;

  // The accessors (their tag orders are in OxMessage.h).
  QString GetSubject() const;
  QString GetSenderAddress() const;
  QString GetSenderName() const;
  platform::TDateTime GetMessageDate() const;
  QDateTime GetMessageInstant() const;
  QString GetSenderDisplayName() const;
  QString GetSenderInternetAddress() const;

 private:
  const TMSGProperty* MessageDateItem() const;

  TOxMessage* FPropOwner;
  TMSGProperty* FParentProperty;
  std::vector<std::unique_ptr<TMSGProperty>> FItems;
};

// A display name in quotation marks when it holds a blank, a period, a comma or a colon.
QString GetNormalizedName(const QString& AName);

}  // namespace kavio::msgfile
