#pragma once
// Builds ".msg" files in memory for tests, so that each test says which properties it sets:
//
//   TMsgBuilder msg;
//   msg.Root().Unicode(0x0037001F, u"Angebot")             // value stream __substg1.0_0037001F
//             .FileTime(0x00390040, instant);               // property-stream entry
//   msg.Root().Attachment().EmbeddedMessage().Ansi(0x0037001E, "Innen");
//   QByteArray file = msg.Build();
//
// Value streams are written as MS-OXMSG lays them out, each with its property-stream entry
// (which holds the value's size); fixed-size values only as entries. The property stream gets
// the header of its storage's kind: 32 bytes for the message, 24 for an embedded message, 8
// for a recipient or an attachment, unless a test sets another.

#include "platform/CompoundFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace kavio::test {

class TMsgBuilder {
 public:
  enum class TKind { Message, Embedded, Recipient, Attachment, Plain };

  class TScope {
   public:
    explicit TScope(TKind AKind, QString AName = {}) : FKind(AKind), FName(std::move(AName)) {}

    // Variable-length properties: a value stream and an entry.
    TScope& Unicode(uint32_t ATag, const QString& AText);     // UTF-16LE, no terminator
    TScope& Ansi(uint32_t ATag, const QByteArray& AText);     // 8-bit, no terminator
    TScope& Binary(uint32_t ATag, const QByteArray& ABytes);  // PT_BINARY or PT_OBJECT
    // Fixed-size properties: an entry only.
    TScope& Long(uint32_t ATag, int32_t AValue);
    TScope& FileTime(uint32_t ATag, const QDateTime& AInstant);
    TScope& RawFileTime(uint32_t ATag, int64_t AFileTime);
    TScope& Entry(uint16_t AType, uint16_t AId, uint32_t AFlags, const QByteArray& AValue8);
    // A stream as it is, by name ("Workbook", "\1Ole10Native", "__substg1.0_0037001F").
    TScope& Stream(const QString& AName, const QByteArray& ABytes);
    // No property stream at all, or one with another header size.
    TScope& WithoutPropertyStream();
    TScope& HeaderSize(int ABytes);

    // Sub-storages. Recipients and attachments are numbered in the order they are added.
    TScope& Recipient();
    TScope& Attachment();
    // Inside an attachment: the data object as an embedded message, or as an OLE object (a
    // storage holding "\1CompObj" and the given streams).
    TScope& EmbeddedMessage();
    TScope& OleObject(const platform::TClassId& AClassId = {});
    // Any storage by name.
    TScope& Storage(const QString& AName, const platform::TClassId& AClassId = {});

   private:
    friend class TMsgBuilder;
    void WriteTo(platform::TCompoundFileWriter& AWriter, const QStringList& APath) const;
    QByteArray PropertyStream() const;

    TKind FKind;
    QString FName;
    platform::TClassId FClassId{};
    std::vector<std::pair<QString, QByteArray>> FStreams;
    std::vector<QByteArray> FEntries;
    std::vector<std::unique_ptr<TScope>> FChildren;
    int FRecipients = 0;
    int FAttachments = 0;
    int FHeaderSize = -1;
    bool FPropertyStream = true;
  };

  TMsgBuilder() : FRoot(TKind::Message) {}
  TScope& Root() { return FRoot; }
  QByteArray Build() const;

 private:
  TScope FRoot;
};

// MS-OXMSG's stream name of a property value: "__substg1.0_0037001F".
QString ValueStreamName(uint32_t ATag);
// FILETIME of an instant.
int64_t ToFileTime(const QDateTime& AInstant);

}  // namespace kavio::test
