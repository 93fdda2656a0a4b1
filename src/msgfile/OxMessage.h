#pragma once
// The ".msg" reader: TOxMessage owns the property tree of one message and answers subject,
// date and sender; TOxMSGFile fills the tree from an Outlook message file (a compound file of
// MS-CFB laid out as MS-OXMSG describes).
//
// The accessors, with the tags they read in order:
//   GetSubject        PR_SUBJECT_W, PR_SUBJECT_A, PR_CONVERSATION_TOPIC_A
//   GetSenderAddress  PR_SENT_REPRESENTING_EMAIL_ADDRESS_A, then _W, as stored (for the
//                     address type "EX" an X.500 name)
//   GetSenderName     PR_SENT_REPRESENTING_NAME_A, then _W (its first U+0000 removed), combined
//                     with the address as  GetNormalizedName(name) <address>; the name or the
//                     address alone when the other is empty
//   GetMessageDate    PR_CLIENT_SUBMIT_TIME, PR_ORIGINAL_SUBMIT_TIME, PR_MESSAGE_DELIVERY_TIME,
//                     PR_ORIGINAL_DELIVERY_TIME, PR_PROVIDER_SUBMIT_TIME,
//                     PR_LAST_MODIFICATION_TIME, PR_CREATION_TIME, PR_DEFERRED_DELIVERY_TIME:
//                     the first of them the message itself has decides, even when its time
//                     could not be converted (then 0)
// On the main collection the text getters look only at its own items (the value streams); on
// any other collection also below. Missing properties give empty texts and the date 0; the
// getters never raise.

#include "msgfile/MSGProperty.h"
#include "msgfile/MsgStream.h"
#include "platform/CompoundFile.h"

#include <QString>
#include <functional>

namespace kavio::msgfile {

class TOxMessage {
 public:
  TOxMessage();
  virtual ~TOxMessage();
  TOxMessage(const TOxMessage&) = delete;
  TOxMessage& operator=(const TOxMessage&) = delete;

  // Empties the collection.
  virtual void ClearInternalLists();
  // The base operations only empty the collection; LoadFromFile first raises
  // "File <path> is not found." for a file that does not exist.
  virtual void LoadFromStream(TStream& AStream);
  virtual void LoadFromFile(const QString& AFileName);

  TMSGProperties& Properties() { return FProperties; }
  const TMSGProperties& Properties() const { return FProperties; }

  QString GetSubject() const { return FProperties.GetSubject(); }
  QString GetSenderAddress() const { return FProperties.GetSenderAddress(); }
  QString GetSenderName() const { return FProperties.GetSenderName(); }
  platform::TDateTime GetMessageDate() const { return FProperties.GetMessageDate(); }
  // The instant of GetMessageDate's time; invalid when there is none.
  QDateTime GetMessageInstant() const { return FProperties.GetMessageInstant(); }
  // The sender's display name alone (the first step of GetSenderName).
  QString GetSenderDisplayName() const { return FProperties.GetSenderDisplayName(); }
  // The sender's Internet address: for the address type "EX" the SMTP address
  // (PR_SENT_REPRESENTING_SMTP_ADDRESS, then PR_SENDER_SMTP_ADDRESS) when the message has one,
  // otherwise GetSenderAddress.
  QString GetSenderInternetAddress() const { return FProperties.GetSenderInternetAddress(); }

 private:
  TMSGProperties FProperties;
};

// A replacement of the built-in compressed-RTF decoder: AStream stands at the value's first
// byte, AValueSize is its size; the handler sets AResult.
using TMSGDecompressRTFEvent =
    std::function<void(TMSGProperty& ASender, TStream& AStream, int32_t AValueSize, QString& AResult)>;

class TOxMSGFile : public TOxMessage {
 public:
  TMSGDecompressRTFEvent OnDecompressRTF;

  // Loads a whole ".msg" file from AStream, from its current position to its end, into a
  // private copy; AStream is only read. Raises TMsgError when the data is no compound file
  // (the collection stays empty) or a read of the container fails (what was read stays).
  void LoadFromStream(TStream& AStream) override;
  // The same from a file; raises "File <path> is not valid file (compound storage)" for a
  // file that is no compound file.
  void LoadFromFile(const QString& AFileName) override;
  // The same from bytes in memory (shared, not copied).
  void LoadFromBytes(const QByteArray& ABytes);

  // Walks one storage into a collection, and its sub-storages into their items' collections.
  void LoadIStorage(const platform::TCompoundStorage& AStorage, TMSGProperties& AProps, int ADepth = 0);
  // Whether a storage holds an OLE object (one of the streams "\1Ole", "\1CompObj",
  // "\1Ole10Native", "\2OlePres000", "\3MailStream", "\5SummaryInformation",
  // "\5DocumentSummaryInformation") rather than a message.
  static bool StorageContainOLEObject(const platform::TCompoundStorage& AStorage);
  // A copy of the storage as a compound file of its own, into AStream, positioned at 0.
  static void WriteStorageToStream(const platform::TCompoundStorage& AStorage, TMemoryStream& AStream);
  // Whether every character is a hexadecimal digit (true for an empty text).
  static bool IsDigit(QStringView AText);

  // Storages nested deeper than this are refused (a load of such a file raises).
  static constexpr int MaxStorageDepth = 64;

 private:
  // Reads a property stream into the sub-items of its item (AProps).
  void ReadPropertyStream(platform::TCompoundStream& AStream, TMSGProperties& AProps);
};

}  // namespace kavio::msgfile
