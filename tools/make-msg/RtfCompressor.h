#pragma once
// Compressed RTF (MS-OXRTFCP) writing: the compressed form of RTF text, for generated files.

#include <QByteArray>
#include <cstdint>

namespace kavio::tools {

// The whole PR_RTF_COMPRESSED value: the 16-byte header ("LZFu", with its CRC) and the data,
// greedy matches against the same 4096-byte dictionary the reader uses.
QByteArray CompressRtf(const QByteArray& ARtf);

// MS-OXRTFCP 3.1.3.2: CRC-32 with the polynomial of IEEE 802.3, starting at 0, not inverted.
uint32_t RtfCrc(const QByteArray& AData);

}  // namespace kavio::tools
