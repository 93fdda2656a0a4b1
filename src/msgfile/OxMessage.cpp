#include "msgfile/OxMessage.h"

#include "msgfile/MapiTags.h"
#include "msgfile/MsgError.h"

#include <QFile>
#include <QFileInfo>

namespace kavio::msgfile {

namespace {

const QString PropertiesStreamName = QStringLiteral("__properties_version1.0");

// The last eight characters of a name, the whole name when it is shorter.
QStringView TagText(const QString& AName) { return QStringView(AName).right(8); }

uint32_t HexTag(QStringView AText) {
  bool ok = false;
  const uint32_t tag = AText.toUInt(&ok, 16);
  return ok ? tag : 0;
}

std::string Name(const QString& AName) {
  QString printable;
  for (const QChar c : AName) printable += c.unicode() < 0x20 ? QStringLiteral("\\%1").arg(c.unicode()) : QString(c);
  return printable.toStdString();
}

}  // namespace

// ---- TOxMessage ----

TOxMessage::TOxMessage() : FProperties(this) {}
TOxMessage::~TOxMessage() = default;

void TOxMessage::ClearInternalLists() { FProperties.Clear(); }

void TOxMessage::LoadFromStream(TStream&) { ClearInternalLists(); }

void TOxMessage::LoadFromFile(const QString& AFileName) {
  if (!QFileInfo::exists(AFileName)) throw TMsgError("File " + AFileName.toStdString() + " is not found.");
  ClearInternalLists();
}

// ---- TOxMSGFile ----

void TOxMSGFile::LoadFromStream(TStream& AStream) {
  TOxMessage::LoadFromStream(AStream);
  const int64_t size = AStream.Size() - AStream.Position();
  if (size > std::numeric_limits<qsizetype>::max() / 2)
    throw TMsgError("message stream: " + std::to_string(size) + " bytes are too many to hold");
  QByteArray copy;
  try {
    copy.resize(static_cast<qsizetype>(std::max<int64_t>(size, 0)));
  } catch (const std::bad_alloc&) {
    throw TMsgError("message stream: out of memory for a copy of " + std::to_string(size) + " bytes");
  }
  const int64_t got = AStream.Read(copy.data(), copy.size());
  copy.truncate(static_cast<qsizetype>(got));
  LoadFromBytes(copy);
}

void TOxMSGFile::LoadFromFile(const QString& AFileName) {
  TOxMessage::LoadFromFile(AFileName);
  QFile file(AFileName);
  if (!file.open(QIODevice::ReadOnly))
    throw TMsgError("File " + AFileName.toStdString() + " cannot be read: " + file.errorString().toStdString());
  const QByteArray bytes = file.readAll();
  std::optional<platform::TCompoundStorage> root;
  try {
    root.emplace(platform::TCompoundStorage::OpenFromBytes(bytes));
  } catch (const platform::TCompoundFileError&) {
    throw TMsgError("File " + AFileName.toStdString() + " is not valid file (compound storage)");
  }
  LoadIStorage(*root, Properties());
}

void TOxMSGFile::LoadFromBytes(const QByteArray& ABytes) {
  ClearInternalLists();
  try {
    const auto root = platform::TCompoundStorage::OpenFromBytes(ABytes);
    LoadIStorage(root, Properties());
  } catch (const platform::TCompoundFileError& error) {
    throw TMsgError(error.what());
  }
}

bool TOxMSGFile::IsDigit(QStringView AText) {
  for (const QChar c : AText)
    if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !(c >= QLatin1Char('A') && c <= QLatin1Char('F')) &&
        !(c >= QLatin1Char('a') && c <= QLatin1Char('f')))
      return false;
  return true;
}

bool TOxMSGFile::StorageContainOLEObject(const platform::TCompoundStorage& AStorage) {
  static const QString names[] = {QStringLiteral("\001Ole"),
                                  QStringLiteral("\001CompObj"),
                                  QStringLiteral("\001Ole10Native"),
                                  QStringLiteral("\002OlePres000"),
                                  QStringLiteral("\003MailStream"),
                                  QStringLiteral("\005SummaryInformation"),
                                  QStringLiteral("\005DocumentSummaryInformation")};
  for (const auto& element : AStorage.Elements())
    for (const QString& name : names)
      if (element.Name == name) return true;
  return false;
}

void TOxMSGFile::WriteStorageToStream(const platform::TCompoundStorage& AStorage, TMemoryStream& AStream) {
  try {
    AStream.SetData(AStorage.CopyToCompoundFile());
  } catch (const platform::TCompoundFileError& error) {
    throw TMsgError(std::string("OLE object copy: ") + error.what());
  }
}

void TOxMSGFile::ReadPropertyStream(platform::TCompoundStream& AStream, TMSGProperties& AProps) {
  // The header in front of the entries depends on the storage the stream lies in: the one
  // whose collection holds the stream's item.
  const TMSGProperty* storage = AProps.ParentProperty()->Collection().ParentProperty();
  int64_t headerSize = sizeof(TSubObjectPropertyHeader);
  if (!storage)
    headerSize = sizeof(TTopLevelPropertyHeader);
  else if (storage->TagID == PR_ATTACH_DATA_OBJ)
    headerSize = sizeof(TEmbeddedPropertyHeader);
  TOleStream stream(AStream);
  const int64_t size = stream.Size();
  // Only whole entries: a partial one at the end is no property.
  for (int64_t at = headerSize; at + int64_t(sizeof(TPropertyEntry)) <= size; at += sizeof(TPropertyEntry)) {
    stream.SetPosition(at);
    uint8_t head[8];
    stream.ReadPadded(head, sizeof head);
    const uint16_t type = uint16_t(head[0] | (head[1] << 8));
    const uint16_t id = uint16_t(head[2] | (head[3] << 8));
    const uint32_t flags =
        uint32_t(head[4]) | (uint32_t(head[5]) << 8) | (uint32_t(head[6]) << 16) | (uint32_t(head[7]) << 24);
    TMSGProperty& item = AProps.Add();
    try {
      item.ApplyGeneralProperty(stream, id, type);
    } catch (const TMsgError&) {
      // One unreadable entry does not end the stream: the item keeps what it got.
    }
    item.Reserved1 = flags;
  }
}

void TOxMSGFile::LoadIStorage(const platform::TCompoundStorage& AStorage, TMSGProperties& AProps, int ADepth) {
  if (ADepth > MaxStorageDepth)
    throw TMsgError("storage walk: storages nested deeper than " + std::to_string(MaxStorageDepth) + " levels");
  const int count = AStorage.ElementCount();
  for (int index = 0; index < count; ++index) {
    auto opened = AStorage.Open(index);
    const QString& name = opened.Element.Name;
    try {
      if (opened.Element.Kind == platform::TStorageElementKind::Storage) {
        if (!opened.Storage) continue;
        TMSGProperty& item = AProps.Add();
        QString kept = name;
        if (name.contains(QLatin1String("nameid_version"))) {
          item.TagID = TAG_NAMEID_STORAGE;
        } else if (name.contains(QLatin1String("recip_version"))) {
          item.TagID = TAG_RECIPIENT_STORAGE;
        } else if (name.contains(QLatin1String("attach_version"))) {
          item.TagID = TAG_ATTACHMENT_STORAGE;
        } else if (IsDigit(TagText(name))) {
          kept = TagText(name).toString();
          item.TagID = HexTag(TagText(name));
        }
        if (item.TagID == PR_ATTACH_DATA_OBJ && StorageContainOLEObject(*opened.Storage)) {
          TMemoryStream copy;
          WriteStorageToStream(*opened.Storage, copy);
          item.ApplyValue(copy, static_cast<int32_t>(copy.Size()));
        } else {
          item.Value = kept;
          LoadIStorage(*opened.Storage, item.SubProperties(), ADepth + 1);
        }
        continue;
      }
      if (opened.Element.Kind != platform::TStorageElementKind::Stream) continue;
      const int32_t size = static_cast<int32_t>(opened.Element.Size & 0xFFFFFFFFu);
      if (IsDigit(TagText(name))) {
        TMSGProperty& item = AProps.Add();
        item.TagID = HexTag(TagText(name));
        if (!opened.Stream || opened.Element.Size == 0) continue;
        TOleStream stream(*opened.Stream);
        stream.SetPosition(0);
        item.ApplyValue(stream, size);
      } else if (name == PropertiesStreamName) {
        TMSGProperty& item = AProps.Add();
        item.Value = name;
        if (!opened.Stream || opened.Element.Size == 0) continue;
        ReadPropertyStream(*opened.Stream, item.SubProperties());
      } else if (name == QLatin1String("\001Ole10Native") || name == QLatin1String("Workbook") ||
                 name == QLatin1String("WordDocument")) {
        if (!opened.Stream || opened.Element.Size == 0) continue;
        TOleStream stream(*opened.Stream);
        stream.SetPosition(0);
        TMSGProperty* parent = AProps.ParentProperty();
        TMSGProperty& target =
            parent && parent->TagID == PR_ATTACH_DATA_OBJ && parent->ValueLength == 0 ? *parent : AProps.Add();
        target.TagID = PR_ATTACH_DATA_OBJ;
        target.ApplyValue(stream, size);
      }
    } catch (const TMsgError& error) {
      throw TMsgError("storage element " + std::to_string(index) + " (" + Name(name) + ", " +
                      std::to_string(opened.Element.Size) + " bytes): " + error.what());
    }
  }
}

}  // namespace kavio::msgfile
