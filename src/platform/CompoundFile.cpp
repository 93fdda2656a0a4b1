#include "platform/CompoundFile.h"

#include "platform/GLibLog.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <QStringList>
#include <QtEndian>
#include <mutex>
#include <vector>

namespace kavio::platform {

// The bytes of an opened compound file; libgsf reads them in place and never writes them.
class TCompoundData {
 public:
  explicit TCompoundData(QByteArray ABytes) : Bytes(std::move(ABytes)) {}
  const QByteArray Bytes;
};

namespace {

void InitGsf() {
  static std::once_flag once;
  std::call_once(once, [] {
    InstallGLibLogHandlers();
    gsf_init();
  });
}

void Unref(void* AObject) {
  if (AObject) g_object_unref(AObject);
}

QString ErrorText(GError* AError) {
  QString text = AError ? QString::fromUtf8(AError->message) : QStringLiteral("unknown error");
  if (AError) g_error_free(AError);
  return text;
}

// The header fields of MS-CFB 2.2 that locate the root directory entry, little-endian.
constexpr qsizetype SectorShiftOffset = 30;
constexpr qsizetype FirstDirectorySectorOffset = 48;
constexpr qsizetype HeaderSize = 512;
// In a directory entry (MS-CFB 2.6): the left and right sibling ids.
constexpr qsizetype LeftSiblingOffset = 68;
constexpr qsizetype RightSiblingOffset = 72;
constexpr uint32_t NoStream = 0xFFFFFFFF;

uint32_t Le32At(const QByteArray& ABytes, qsizetype AOffset) {
  return qFromLittleEndian<uint32_t>(ABytes.constData() + AOffset);
}

// MS-CFB 2.6.3: the root entry has no siblings. libgsf 1.14.50 follows sibling links of the
// root anyway and loses the entries it reaches there (they have no parent to hold them), so a
// file that sets them gets them cleared in a private copy. Valid files are shared unchanged.
QByteArray WithoutRootSiblings(const QByteArray& ABytes) {
  if (ABytes.size() < HeaderSize) return ABytes;
  const unsigned shift = qFromLittleEndian<uint16_t>(ABytes.constData() + SectorShiftOffset);
  if (shift < 7 || shift > 16) return ABytes;  // libgsf refuses the file
  const uint32_t sector = Le32At(ABytes, FirstDirectorySectorOffset);
  const qint64 root = (qint64(sector) + 1) << shift;
  if (sector >= 0xFFFFFFFA || root + RightSiblingOffset + 4 > ABytes.size()) return ABytes;
  if (Le32At(ABytes, root + LeftSiblingOffset) == NoStream && Le32At(ABytes, root + RightSiblingOffset) == NoStream)
    return ABytes;
  QByteArray copy = ABytes;
  qToLittleEndian(NoStream, copy.data() + root + LeftSiblingOffset);
  qToLittleEndian(NoStream, copy.data() + root + RightSiblingOffset);
  return copy;
}

bool IsStorage(GsfInput* AChild) { return GSF_IS_INFILE(AChild) && gsf_infile_num_children(GSF_INFILE(AChild)) >= 0; }

}  // namespace

// ---- TCompoundStream ----

TCompoundStream::TCompoundStream(std::shared_ptr<const TCompoundData> AData, GsfInput* AInput)
    : FData(std::move(AData)), FInput(AInput), FSize(gsf_input_size(AInput)) {}

TCompoundStream::TCompoundStream(TCompoundStream&& AOther) noexcept
    : FData(std::move(AOther.FData)),
      FInput(std::exchange(AOther.FInput, nullptr)),
      FSize(AOther.FSize),
      FPosition(AOther.FPosition) {}

TCompoundStream& TCompoundStream::operator=(TCompoundStream&& AOther) noexcept {
  if (this != &AOther) {
    Unref(FInput);
    FData = std::move(AOther.FData);
    FInput = std::exchange(AOther.FInput, nullptr);
    FSize = AOther.FSize;
    FPosition = AOther.FPosition;
  }
  return *this;
}

TCompoundStream::~TCompoundStream() { Unref(FInput); }

void TCompoundStream::Seek(int64_t APosition) {
  if (APosition < 0)
    throw TCompoundFileError("compound stream: seek to negative position " + std::to_string(APosition));
  FPosition = APosition;
}

int64_t TCompoundStream::Read(void* ABuffer, int64_t ACount) {
  if (ACount <= 0 || FPosition >= FSize) return 0;
  const int64_t count = std::min(ACount, FSize - FPosition);
  if (gsf_input_tell(FInput) != FPosition && gsf_input_seek(FInput, FPosition, G_SEEK_SET))
    throw TCompoundFileError("compound stream: seek to " + std::to_string(FPosition) + " of " + std::to_string(FSize) +
                             " failed");
  if (!gsf_input_read(FInput, static_cast<size_t>(count), static_cast<guint8*>(ABuffer)))
    throw TCompoundFileError("compound stream: read of " + std::to_string(count) + " bytes at " +
                             std::to_string(FPosition) + " of " + std::to_string(FSize) + " failed");
  FPosition += count;
  return count;
}

QByteArray TCompoundStream::ReadAll() {
  QByteArray bytes(static_cast<qsizetype>(FSize), Qt::Uninitialized);
  FPosition = 0;
  const int64_t got = Read(bytes.data(), FSize);
  bytes.truncate(static_cast<qsizetype>(got));
  return bytes;
}

// ---- TCompoundStorage ----

TCompoundStorage::TCompoundStorage(std::shared_ptr<const TCompoundData> AData, GsfInfile* AInfile)
    : FData(std::move(AData)), FInfile(AInfile) {}

TCompoundStorage::TCompoundStorage(TCompoundStorage&& AOther) noexcept
    : FData(std::move(AOther.FData)), FInfile(std::exchange(AOther.FInfile, nullptr)) {}

TCompoundStorage& TCompoundStorage::operator=(TCompoundStorage&& AOther) noexcept {
  if (this != &AOther) {
    Unref(FInfile);
    FData = std::move(AOther.FData);
    FInfile = std::exchange(AOther.FInfile, nullptr);
  }
  return *this;
}

TCompoundStorage::~TCompoundStorage() { Unref(FInfile); }

TCompoundStorage TCompoundStorage::OpenFromBytes(const QByteArray& ABytes) {
  InitGsf();
  auto data = std::make_shared<const TCompoundData>(WithoutRootSiblings(ABytes));
  // Shares the bytes: the input reads them in place and does not free them.
  GsfInput* input =
      gsf_input_memory_new(reinterpret_cast<const guint8*>(data->Bytes.constData()), data->Bytes.size(), FALSE);
  if (!input) throw TCompoundFileError("compound file: cannot open " + std::to_string(ABytes.size()) + " bytes");
  GError* error = nullptr;
  GsfInfile* root = gsf_infile_msole_new(input, &error);
  g_object_unref(input);
  if (!root)
    throw TCompoundFileError("compound file of " + std::to_string(ABytes.size()) +
                             " bytes: " + ErrorText(error).toStdString());
  if (error) g_error_free(error);
  return TCompoundStorage(std::move(data), root);
}

int TCompoundStorage::ElementCount() const { return std::max(gsf_infile_num_children(FInfile), 0); }

TCompoundStorage::TOpened TCompoundStorage::Open(int AIndex) const {
  TOpened opened;
  const char* name = gsf_infile_name_by_index(FInfile, AIndex);
  opened.Element.Name = name ? QString::fromUtf8(name) : QString();
  GsfInput* child = gsf_infile_child_by_index(FInfile, AIndex);
  if (!child) return opened;
  if (IsStorage(child)) {
    opened.Element.Kind = TStorageElementKind::Storage;
    opened.Storage.emplace(TCompoundStorage(FData, GSF_INFILE(child)));
  } else {
    opened.Element.Kind = TStorageElementKind::Stream;
    opened.Element.Size = static_cast<uint64_t>(std::max<gsf_off_t>(gsf_input_size(child), 0));
    opened.Stream.emplace(TCompoundStream(FData, child));
  }
  return opened;
}

TStorageElement TCompoundStorage::Element(int AIndex) const { return Open(AIndex).Element; }

QList<TStorageElement> TCompoundStorage::Elements() const {
  QList<TStorageElement> elements;
  const int count = ElementCount();
  elements.reserve(count);
  for (int i = 0; i < count; ++i) elements.append(Element(i));
  return elements;
}

std::optional<TCompoundStorage> TCompoundStorage::OpenStorage(int AIndex) const {
  if (AIndex < 0 || AIndex >= ElementCount()) return std::nullopt;
  return std::move(Open(AIndex).Storage);
}

std::optional<TCompoundStream> TCompoundStorage::OpenStream(int AIndex) const {
  if (AIndex < 0 || AIndex >= ElementCount()) return std::nullopt;
  return std::move(Open(AIndex).Stream);
}

int TCompoundStorage::IndexOf(const QString& AName) const {
  const QByteArray name = AName.toUtf8();
  const int count = ElementCount();
  for (int i = 0; i < count; ++i) {
    const char* childName = gsf_infile_name_by_index(FInfile, i);
    if (childName && name == childName) return i;
  }
  return -1;
}

std::optional<TCompoundStorage> TCompoundStorage::OpenStorage(const QString& AName) const {
  return OpenStorage(IndexOf(AName));
}

std::optional<TCompoundStream> TCompoundStorage::OpenStream(const QString& AName) const {
  return OpenStream(IndexOf(AName));
}

TClassId TCompoundStorage::ClassId() const {
  TClassId id{};
  if (GSF_IS_INFILE_MSOLE(FInfile) && !gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(FInfile), id.data())) id = {};
  return id;
}

// ---- building compound files ----

struct TCompoundFileWriter::TNode {
  QString Name;
  bool IsStorage = true;
  TClassId ClassId{};
  QByteArray Data;
  std::vector<std::unique_ptr<TNode>> Children;

  TNode* Child(const QString& AName, bool AStorage) {
    for (auto& child : Children)
      if (child->Name == AName && child->IsStorage == AStorage) return child.get();
    return nullptr;
  }
};

namespace {

using TNode = TCompoundFileWriter::TNode;

void CopyInto(const TCompoundStorage& ASource, TNode& ATarget);

void WriteNode(GsfOutfile* AParent, const TNode& ANode) {
  for (const auto& child : ANode.Children) {
    GsfOutput* output = gsf_outfile_new_child(AParent, child->Name.toUtf8().constData(), child->IsStorage);
    if (!output) throw TCompoundFileError("compound file writer: cannot create element " + child->Name.toStdString());
    if (child->IsStorage) {
      if (child->ClassId != TClassId{})
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(output), child->ClassId.data());
      WriteNode(GSF_OUTFILE(output), *child);
    } else if (!child->Data.isEmpty() && !gsf_output_write(output, static_cast<size_t>(child->Data.size()),
                                                           reinterpret_cast<const guint8*>(child->Data.constData()))) {
      gsf_output_close(output);
      g_object_unref(output);
      throw TCompoundFileError("compound file writer: cannot write stream " + child->Name.toStdString());
    }
    gsf_output_close(output);
    g_object_unref(output);
  }
}

QByteArray WriteTree(const TNode& ARoot) {
  InitGsf();
  GsfOutput* sink = gsf_output_memory_new();
  GsfOutfile* root = gsf_outfile_msole_new(sink);
  if (!root) {
    g_object_unref(sink);
    throw TCompoundFileError("compound file writer: cannot create a compound file");
  }
  try {
    if (ARoot.ClassId != TClassId{}) gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root), ARoot.ClassId.data());
    WriteNode(root, ARoot);
  } catch (...) {
    gsf_output_close(GSF_OUTPUT(root));
    g_object_unref(root);
    g_object_unref(sink);
    throw;
  }
  gsf_output_close(GSF_OUTPUT(root));
  g_object_unref(root);
  gsf_output_close(sink);
  const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
  QByteArray result(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(gsf_output_size(sink)));
  g_object_unref(sink);
  return result;
}

void CopyInto(const TCompoundStorage& ASource, TNode& ATarget) {
  ATarget.ClassId = ASource.ClassId();
  const int count = ASource.ElementCount();
  for (int i = 0; i < count; ++i) {
    auto opened = ASource.Open(i);
    auto node = std::make_unique<TNode>();
    node->Name = opened.Element.Name;
    if (opened.Storage) {
      CopyInto(*opened.Storage, *node);
    } else if (opened.Stream) {
      node->IsStorage = false;
      node->Data = opened.Stream->ReadAll();
    } else {
      throw TCompoundFileError("compound file copy: element " + std::to_string(i) + " (" +
                               opened.Element.Name.toStdString() + ") cannot be opened");
    }
    ATarget.Children.push_back(std::move(node));
  }
}

}  // namespace

QByteArray TCompoundStorage::CopyToCompoundFile() const {
  TNode root;
  CopyInto(*this, root);
  return WriteTree(root);
}

TCompoundFileWriter::TCompoundFileWriter() : FRoot(std::make_unique<TNode>()) {}
TCompoundFileWriter::~TCompoundFileWriter() = default;

TCompoundFileWriter::TNode& TCompoundFileWriter::NodeAt(const QStringList& APath) {
  TNode* node = FRoot.get();
  for (const QString& name : APath) {
    TNode* child = node->Child(name, true);
    if (!child) {
      node->Children.push_back(std::make_unique<TNode>());
      child = node->Children.back().get();
      child->Name = name;
    }
    node = child;
  }
  return *node;
}

void TCompoundFileWriter::AddStorage(const QStringList& APath, const TClassId& AClassId) {
  NodeAt(APath).ClassId = AClassId;
}

void TCompoundFileWriter::AddStream(const QStringList& APath, const QString& AName, const QByteArray& AData) {
  TNode& parent = NodeAt(APath);
  auto node = std::make_unique<TNode>();
  node->Name = AName;
  node->IsStorage = false;
  node->Data = AData;
  parent.Children.push_back(std::move(node));
}

void TCompoundFileWriter::SetRootClassId(const TClassId& AClassId) { FRoot->ClassId = AClassId; }

QByteArray TCompoundFileWriter::Finish() { return WriteTree(*FRoot); }

}  // namespace kavio::platform
