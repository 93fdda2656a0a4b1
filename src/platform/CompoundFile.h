#pragma once
// Compound files (MS-CFB structured storage) over libgsf: reading a storage tree from bytes in
// memory, and building a new compound file in memory.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

using GsfInfile = struct _GsfInfile;
using GsfInput = struct _GsfInput;

namespace kavio::platform {

// A failure of the container: the data is no compound file, or a read of the container failed.
class TCompoundFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using TClassId = std::array<uint8_t, 16>;

enum class TStorageElementKind { Storage, Stream, Other };

// One element of a storage as the directory lists it.
struct TStorageElement {
  QString Name;
  TStorageElementKind Kind = TStorageElementKind::Other;
  uint64_t Size = 0;  // streams: their length in bytes; storages: 0
};

class TCompoundData;  // the bytes a tree reads from, shared by all its objects

// One stream of a compound file. Its position may stand beyond the end; reading there delivers
// nothing. The stream keeps the file's bytes alive.
class TCompoundStream {
 public:
  TCompoundStream(TCompoundStream&& AOther) noexcept;
  TCompoundStream& operator=(TCompoundStream&& AOther) noexcept;
  TCompoundStream(const TCompoundStream&) = delete;
  TCompoundStream& operator=(const TCompoundStream&) = delete;
  ~TCompoundStream();

  int64_t Size() const { return FSize; }
  int64_t Position() const { return FPosition; }
  // Sets the position (no bound at the end); a negative position is an error.
  void Seek(int64_t APosition);
  // Reads up to ACount bytes at the position and advances it; fewer when the stream ends.
  // Raises TCompoundFileError when the container fails to deliver bytes it has.
  int64_t Read(void* ABuffer, int64_t ACount);
  // The whole stream from its start.
  QByteArray ReadAll();

 private:
  friend class TCompoundStorage;
  TCompoundStream(std::shared_ptr<const TCompoundData> AData, GsfInput* AInput);

  std::shared_ptr<const TCompoundData> FData;
  GsfInput* FInput = nullptr;
  int64_t FSize = 0;
  int64_t FPosition = 0;
};

// One storage (the root or a sub-storage) of a compound file opened for reading.
class TCompoundStorage {
 public:
  // Opens the bytes of a whole compound file; the bytes are shared, never changed. Raises
  // TCompoundFileError when they are no compound file (an empty array included).
  static TCompoundStorage OpenFromBytes(const QByteArray& ABytes);

  TCompoundStorage(TCompoundStorage&& AOther) noexcept;
  TCompoundStorage& operator=(TCompoundStorage&& AOther) noexcept;
  TCompoundStorage(const TCompoundStorage&) = delete;
  TCompoundStorage& operator=(const TCompoundStorage&) = delete;
  ~TCompoundStorage();

  // The elements in MS-CFB directory order (shorter names first, names of equal length by
  // their upper-case form), as libgsf lists them.
  QList<TStorageElement> Elements() const;
  int ElementCount() const;
  TStorageElement Element(int AIndex) const;

  // The element at AIndex opened as what it is: a storage or a stream (neither when it cannot
  // be opened). The walk of a whole tree opens each element once this way.
  struct TOpened;
  TOpened Open(int AIndex) const;

  // The element at AIndex (or of that name) as a storage or a stream; none when it is of the
  // other kind or cannot be opened.
  std::optional<TCompoundStorage> OpenStorage(int AIndex) const;
  std::optional<TCompoundStream> OpenStream(int AIndex) const;
  std::optional<TCompoundStorage> OpenStorage(const QString& AName) const;
  std::optional<TCompoundStream> OpenStream(const QString& AName) const;

  // The CLSID of this storage's directory entry (all zero when none is set).
  TClassId ClassId() const;

  // A complete compound file of its own whose root holds a copy of this storage: every
  // sub-storage and stream with its name, and the CLSIDs of this storage and every sub-storage.
  QByteArray CopyToCompoundFile() const;

 private:
  TCompoundStorage(std::shared_ptr<const TCompoundData> AData, GsfInfile* AInfile);
  int IndexOf(const QString& AName) const;

  std::shared_ptr<const TCompoundData> FData;
  GsfInfile* FInfile = nullptr;
};

struct TCompoundStorage::TOpened {
  TStorageElement Element;
  std::optional<TCompoundStorage> Storage;
  std::optional<TCompoundStream> Stream;
};

// Builds a new compound file in memory. Element names are given as they are meant (a
// leading U+0001 included); storages are created by the path of names to them.
class TCompoundFileWriter {
 public:
  TCompoundFileWriter();
  ~TCompoundFileWriter();
  TCompoundFileWriter(const TCompoundFileWriter&) = delete;
  TCompoundFileWriter& operator=(const TCompoundFileWriter&) = delete;

  // A storage below the root ("a/b" is written as the path {"a", "b"}); created on first use.
  void AddStorage(const QStringList& APath, const TClassId& AClassId = {});
  // A stream in the storage at APath (empty: the root); its parents are created as needed.
  void AddStream(const QStringList& APath, const QString& AName, const QByteArray& AData);
  void SetRootClassId(const TClassId& AClassId);

  // Writes the tree and returns the bytes of the compound file. The writer is done then.
  QByteArray Finish();

  struct TNode;  // one element of the tree being built

 private:
  TNode& NodeAt(const QStringList& APath);
  std::unique_ptr<TNode> FRoot;
};

}  // namespace kavio::platform
