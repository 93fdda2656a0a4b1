#include "RtfCompressor.h"

#include <QtEndian>
#include <array>
#include <cstring>
#include <vector>

namespace kavio::tools {

namespace {

const char InitialDictionary[] =
    "{\\rtf1\\ansi\\mac\\deff0\\deftab720{\\fonttbl;}{\\f0\\fnil \\froman \\fswiss \\fmodern \\fscript "
    "\\fdecor MS Sans SerifSymbolArialTimes New RomanCourier{\\colortbl\\red0\\green0\\blue0\r\n\\par "
    "\\pard\\plain\\f0\\fs20\\b\\i\\u\\tab\\tx";
constexpr unsigned InitialLength = sizeof(InitialDictionary) - 1;
constexpr unsigned RingSize = 4096;
constexpr unsigned MaxMatch = 17;

}  // namespace

uint32_t RtfCrc(const QByteArray& AData) {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t crc = 0;
  for (const char byte : AData) crc = table[(crc ^ uint8_t(byte)) & 0xFF] ^ (crc >> 8);
  return crc;
}

QByteArray CompressRtf(const QByteArray& ARtf) {
  std::array<uint8_t, RingSize> ring{};
  std::memcpy(ring.data(), InitialDictionary, InitialLength);
  unsigned writePosition = InitialLength;
  // Last ring position at which each two-byte sequence was written.
  std::vector<int> last(65536, -1);
  for (unsigned i = 0; i + 1 < InitialLength; ++i)
    last[(uint8_t(InitialDictionary[i]) << 8) | uint8_t(InitialDictionary[i + 1])] = int(i);

  const auto put = [&](uint8_t AByte) {
    const unsigned previous = (writePosition + RingSize - 1) % RingSize;
    ring[writePosition] = AByte;
    last[(ring[previous] << 8) | AByte] = int(previous);
    writePosition = (writePosition + 1) % RingSize;
  };

  QByteArray data;
  const auto* input = reinterpret_cast<const uint8_t*>(ARtf.constData());
  const qsizetype size = ARtf.size();
  qsizetype at = 0;
  bool ended = false;
  while (!ended) {
    const qsizetype controlAt = data.size();
    data.append('\0');
    uint8_t control = 0;
    for (int bit = 0; bit < 8; ++bit) {
      if (at >= size) {
        // The end marker: a reference to the write position.
        control |= uint8_t(1u << bit);
        const unsigned reference = writePosition << 4;
        data.append(char(reference >> 8)).append(char(reference & 0xFF));
        ended = true;
        break;
      }
      unsigned length = 0;
      unsigned offset = 0;
      if (at + 1 < size) {
        const int candidate = last[(input[at] << 8) | input[at + 1]];
        if (candidate >= 0) {
          const unsigned distance = (writePosition + RingSize - unsigned(candidate)) % RingSize;
          const unsigned limit =
              std::min<unsigned>({MaxMatch, distance, unsigned(std::min<qsizetype>(size - at, MaxMatch))});
          while (length < limit && ring[(unsigned(candidate) + length) % RingSize] == input[at + length]) ++length;
          offset = unsigned(candidate);
        }
      }
      if (length >= 2) {
        control |= uint8_t(1u << bit);
        const unsigned reference = (offset << 4) | (length - 2);
        data.append(char(reference >> 8)).append(char(reference & 0xFF));
        for (unsigned i = 0; i < length; ++i) put(input[at + i]);
        at += length;
      } else {
        data.append(char(input[at]));
        put(input[at]);
        ++at;
      }
    }
    data[controlAt] = char(control);
  }

  QByteArray value(16, '\0');
  qToLittleEndian<uint32_t>(uint32_t(data.size() + 12), value.data());
  qToLittleEndian<uint32_t>(uint32_t(size), value.data() + 4);
  value.replace(8, 4, "LZFu");
  qToLittleEndian<uint32_t>(RtfCrc(data), value.data() + 12);
  return value + data;
}

}  // namespace kavio::tools
