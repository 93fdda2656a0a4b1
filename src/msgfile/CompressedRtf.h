#pragma once
// The compressed RTF of PR_RTF_COMPRESSED (MS-OXRTFCP): an LZ77 variant over a 4096-byte ring
// dictionary that starts pre-loaded with common RTF text.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace kavio::msgfile {

// The 16-byte header in front of the compressed data (MS-OXRTFCP 2.1.3.1.1), little-endian.
struct TCompressedRtfHeader {
  uint32_t CompSize;  // bytes after this field: the rest of the header and the data
  uint32_t RawSize;   // bytes of uncompressed RTF
  uint32_t CompType;  // "LZFu" or "MELA"; not examined: every stream is decoded alike
  uint32_t Crc;       // not checked
};
static_assert(sizeof(TCompressedRtfHeader) == 16);

inline constexpr int RtfDictionarySize = 4096;
// The pre-loaded dictionary (MS-OXRTFCP 2.1.2.1); decoding starts writing behind it.
extern const char RtfInitialDictionary[];
inline constexpr int RtfInitialDictionaryLength = 207;

// Decodes a whole compressed-RTF value (header included). Values of 16 bytes or fewer give an
// empty result. The result has RawSize bytes, the bytes decoding did not reach being zero, but
// never more than the data can produce (a control byte and eight two-byte references give at
// most 136 bytes from 17): a forged RawSize cannot make it allocate more. Decoding stops at the
// end reference, at the end of the data (COMPSIZE + 4 or the value's end, whichever is first),
// or when the output is full; a reference never reads outside the dictionary.
QByteArray DecompressRtf(QByteArrayView AValue);

}  // namespace kavio::msgfile
