#pragma once
// The byte streams the decoders read from: a stream over memory and one over a stream of a
// compound file.

#include "platform/CompoundFile.h"

#include <QByteArray>
#include <cstdint>

namespace kavio::msgfile {

enum class TSeekOrigin { Beginning = 0, Current = 1, End = 2 };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to ACount bytes; fewer (or none) at the end, which is no error.
  virtual int64_t Read(void* ABuffer, int64_t ACount) = 0;
  virtual int64_t Write(const void* ABuffer, int64_t ACount) = 0;
  // Returns the new position. A position beyond the end is allowed; a negative one raises.
  virtual int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) = 0;

  // Found by seeking: current, end, back.
  int64_t Size();
  int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(int64_t APosition) { Seek(APosition, TSeekOrigin::Beginning); }
  // Reads exactly ACount bytes or fewer at the end; the rest of the buffer is zero-filled.
  int64_t ReadPadded(void* ABuffer, int64_t ACount);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(QByteArray AData) : FData(std::move(AData)) {}

  int64_t Read(void* ABuffer, int64_t ACount) override;
  int64_t Write(const void* ABuffer, int64_t ACount) override;
  int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;

  const QByteArray& Data() const { return FData; }
  void SetData(QByteArray AData) {
    FData = std::move(AData);
    FPosition = 0;
  }

 private:
  QByteArray FData;
  int64_t FPosition = 0;
};

// A read-only stream over one stream of a compound file. Errors of the container are raised as
// TMsgError; writing is refused the same way.
class TOleStream : public TStream {
 public:
  explicit TOleStream(platform::TCompoundStream& AStream) : FStream(AStream) {}

  int64_t Read(void* ABuffer, int64_t ACount) override;
  int64_t Write(const void* ABuffer, int64_t ACount) override;
  int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;

 private:
  platform::TCompoundStream& FStream;
};

}  // namespace kavio::msgfile
