#include "msgfile/CompressedRtf.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace kavio::msgfile {

const char RtfInitialDictionary[] =
    "{\\rtf1\\ansi\\mac\\deff0\\deftab720{\\fonttbl;}{\\f0\\fnil \\froman \\fswiss \\fmodern \\fscript "
    "\\fdecor MS Sans SerifSymbolArialTimes New RomanCourier{\\colortbl\\red0\\green0\\blue0\r\n\\par "
    "\\pard\\plain\\f0\\fs20\\b\\i\\u\\tab\\tx";
static_assert(sizeof(RtfInitialDictionary) - 1 == RtfInitialDictionaryLength);

QByteArray DecompressRtf(QByteArrayView AValue) {
  const auto* data = reinterpret_cast<const uint8_t*>(AValue.data());
  const int64_t size = AValue.size();
  if (size <= int64_t(sizeof(TCompressedRtfHeader))) return {};
  TCompressedRtfHeader header;
  std::memcpy(&header, data, sizeof header);
  const uint32_t compSize = qFromLittleEndian(header.CompSize);
  const uint32_t rawSize = qFromLittleEndian(header.RawSize);

  const int64_t end = std::min<int64_t>(int64_t(compSize) + 4, size);
  const int64_t dataBytes = std::max<int64_t>(end - int64_t(sizeof header), 0);
  const int64_t capacity = std::min<int64_t>(rawSize, (dataBytes / 17 + 1) * 136);
  QByteArray output(static_cast<qsizetype>(capacity), '\0');
  auto* out = reinterpret_cast<uint8_t*>(output.data());

  uint8_t dictionary[RtfDictionarySize] = {};
  std::memcpy(dictionary, RtfInitialDictionary, RtfInitialDictionaryLength);
  unsigned writePosition = RtfInitialDictionaryLength;

  int64_t position = sizeof header;
  int64_t written = 0;
  while (position < end && written < capacity) {
    const uint8_t control = data[position++];
    for (int bit = 0; bit < 8; ++bit) {
      if (position >= end || written >= capacity) return output;
      if ((control & (1u << bit)) == 0) {
        const uint8_t literal = data[position++];
        dictionary[writePosition] = literal;
        writePosition = (writePosition + 1) % RtfDictionarySize;
        out[written++] = literal;
        continue;
      }
      if (position + 1 >= end) return output;  // the data ends inside a reference
      const unsigned reference = (unsigned(data[position]) << 8) | data[position + 1];
      position += 2;
      const unsigned offset = reference >> 4;
      const unsigned length = (reference & 0x0F) + 2;
      if (offset == writePosition) return output;  // the end marker
      // Byte by byte: a reference may overlap the bytes it writes and so repeat them.
      for (unsigned i = 0; i < length && written < capacity; ++i) {
        const uint8_t value = dictionary[(offset + i) % RtfDictionarySize];
        dictionary[writePosition] = value;
        writePosition = (writePosition + 1) % RtfDictionarySize;
        out[written++] = value;
      }
    }
  }
  return output;
}

}  // namespace kavio::msgfile
