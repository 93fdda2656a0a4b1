// The compressed-RTF decoder on arbitrary bytes: it never reads or writes out of bounds, and
// its output never exceeds RAWSIZE or what the data can produce.

#include "msgfile/CompressedRtf.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kavio::msgfile;
  const QByteArray value = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QByteArray rtf = DecompressRtf(value);
  if (size <= 16) {
    if (!rtf.isEmpty()) std::abort();
    return 0;
  }
  uint32_t rawSize;
  std::memcpy(&rawSize, data + 4, 4);
  if (uint64_t(rtf.size()) > rawSize) std::abort();
  if (uint64_t(rtf.size()) > uint64_t(size) * 9 + 136) std::abort();
  return 0;
}
