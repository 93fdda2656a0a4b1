#include "msgfile/MsgStream.h"

#include "msgfile/MsgError.h"

#include <cstring>

namespace kavio::msgfile {

namespace {

int64_t NewPosition(int64_t AOffset, TSeekOrigin AOrigin, int64_t ACurrent, int64_t ASize, const char* AWhat) {
  int64_t base = 0;
  switch (AOrigin) {
    case TSeekOrigin::Beginning:
      base = 0;
      break;
    case TSeekOrigin::Current:
      base = ACurrent;
      break;
    case TSeekOrigin::End:
      base = ASize;
      break;
  }
  if (AOffset < -base)
    throw TMsgError(std::string(AWhat) + ": seek by " + std::to_string(AOffset) + " from " + std::to_string(base) +
                    " goes before the start");
  return base + AOffset;
}

}  // namespace

int64_t TStream::Size() {
  const int64_t position = Seek(0, TSeekOrigin::Current);
  const int64_t size = Seek(0, TSeekOrigin::End);
  Seek(position, TSeekOrigin::Beginning);
  return size;
}

int64_t TStream::ReadPadded(void* ABuffer, int64_t ACount) {
  if (ACount <= 0) return 0;
  const int64_t got = Read(ABuffer, ACount);
  if (got < ACount) std::memset(static_cast<char*>(ABuffer) + got, 0, static_cast<size_t>(ACount - got));
  return got;
}

int64_t TMemoryStream::Read(void* ABuffer, int64_t ACount) {
  const int64_t size = FData.size();
  if (ACount <= 0 || FPosition >= size) return 0;
  const int64_t count = std::min(ACount, size - FPosition);
  std::memcpy(ABuffer, FData.constData() + FPosition, static_cast<size_t>(count));
  FPosition += count;
  return count;
}

int64_t TMemoryStream::Write(const void* ABuffer, int64_t ACount) {
  if (ACount <= 0) return 0;
  const int64_t end = FPosition + ACount;
  if (end > FData.size()) FData.resize(static_cast<qsizetype>(end), '\0');
  std::memcpy(FData.data() + FPosition, ABuffer, static_cast<size_t>(ACount));
  FPosition = end;
  return ACount;
}

int64_t TMemoryStream::Seek(int64_t AOffset, TSeekOrigin AOrigin) {
  FPosition = NewPosition(AOffset, AOrigin, FPosition, FData.size(), "memory stream");
  return FPosition;
}

int64_t TOleStream::Read(void* ABuffer, int64_t ACount) {
  try {
    return FStream.Read(ABuffer, ACount);
  } catch (const platform::TCompoundFileError& error) {
    throw TMsgError(error.what());
  }
}

int64_t TOleStream::Write(const void*, int64_t ACount) {
  throw TMsgError("compound stream: write of " + std::to_string(ACount) + " bytes refused, the file is read only");
}

int64_t TOleStream::Seek(int64_t AOffset, TSeekOrigin AOrigin) {
  const int64_t position = NewPosition(AOffset, AOrigin, FStream.Position(), FStream.Size(), "compound stream");
  FStream.Seek(position);
  return position;
}

}  // namespace kavio::msgfile
