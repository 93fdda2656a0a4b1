#include "TestSupport.h"
#include "msgfile/CompressedRtf.h"

#include <gtest/gtest.h>
#include <QtEndian>

using namespace kavio::msgfile;

namespace {

QByteArray Hex(const char* AHex) { return QByteArray::fromHex(AHex); }

// A header for ACompressed data bytes: COMPSIZE counts the 12 header bytes after it.
QByteArray WithHeader(uint32_t ARawSize, const QByteArray& AData) {
  QByteArray value(16, '\0');
  qToLittleEndian<uint32_t>(uint32_t(AData.size() + 12), value.data());
  qToLittleEndian<uint32_t>(ARawSize, value.data() + 4);
  value.replace(8, 4, "LZFu");
  return value + AData;
}

}  // namespace

// The worked examples of MS-OXRTFCP section 3.
TEST(CompressedRtf, DecodesThePublishedExamples) {
  struct TCase {
    const char* Name;
    QByteArray Compressed;
    QByteArray Expected;
  };
  const TCase cases[] = {
      {"simple_compressed_rtf",
       Hex("2d0000002b0000004c5a4675f1c5c7a7"  // COMPSIZE 45, RAWSIZE 43, "LZFu", CRC
           "03000a007263706731323542320af32068656c0900206277"
           "05b06c647d0a800fa0"),
       QByteArray("{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n")},
      {"reference_crossing_the_write_position", Hex("1a0000001c0000004c5a4675e2d44b51410004205758595a0d6e7d010eb0"),
       QByteArray("{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}")},
  };
  for (const auto& c : cases) {
    const QByteArray rtf = DecompressRtf(c.Compressed);
    EXPECT_EQ(rtf, c.Expected) << c.Name;
    EXPECT_EQ(rtf.size(), c.Expected.size()) << c.Name;  // nothing after the closing brace
  }
}

TEST(CompressedRtf, EdgeCases) {
  struct TCase {
    const char* Name;
    QByteArray Value;
    QByteArray Expected;
  };
  const TCase cases[] = {
      {"sixteen_bytes_or_fewer", WithHeader(5, {}), {}},
      {"raw_size_zero", WithHeader(0, Hex("00414243")), {}},
      // Offset 207 equals the write position at the start: the end, the output stays zero.
      {"end_reference_first", WithHeader(6, Hex("010cf0")), QByteArray(6, '\0')},
      // Offset 206 ("x", the dictionary's last byte), length 4: each copied byte feeds the next.
      {"overlapping_reference", WithHeader(4, Hex("010ce2")), QByteArray("xxxx")},
      // Literals "ab", then a reference whose second byte is missing.
      {"data_ends_inside_a_reference", WithHeader(5, Hex("0461620c")), QByteArray("ab\0\0\0", 5)},
      {"more_data_than_raw_size", WithHeader(3, Hex("0041424344454647")), QByteArray("ABC")},
      // COMPSIZE says 1 data byte more than the control byte: the literals after it are not data.
      {"compsize_shorter_than_the_value", Hex("0d000000040000004c5a46750000000000414243"), QByteArray("\0\0\0\0", 4)},
  };
  for (const auto& c : cases) EXPECT_EQ(DecompressRtf(c.Value), c.Expected) << c.Name;
}

TEST(CompressedRtf, ForgedRawSizeDoesNotAllocateIt) {
  // RAWSIZE 4 GiB - 1 over three data bytes: the output is bounded by what they can produce.
  const QByteArray rtf = DecompressRtf(WithHeader(0xFFFFFFFFu, Hex("00414243")));
  EXPECT_TRUE(rtf.startsWith("ABC"));
  EXPECT_LE(rtf.size(), 136);
}
