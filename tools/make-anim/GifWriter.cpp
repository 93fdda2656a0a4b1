#include "GifWriter.h"

#include <algorithm>

namespace kavio::tools {

namespace {

void PutWord(QByteArray& AOut, int AValue) {
  AOut.append(static_cast<char>(AValue & 0xFF));
  AOut.append(static_cast<char>((AValue >> 8) & 0xFF));
}

class TBitSink {
 public:
  void Put(int ACode, int AWidth) {
    FAccu |= static_cast<std::uint32_t>(ACode) << FBits;
    FBits += AWidth;
    while (FBits >= 8) {
      FBytes.append(static_cast<char>(FAccu & 0xFF));
      FAccu >>= 8;
      FBits -= 8;
    }
  }
  QByteArray Finish() {
    if (FBits > 0) FBytes.append(static_cast<char>(FAccu & 0xFF));
    return FBytes;
  }

 private:
  std::uint32_t FAccu = 0;
  int FBits = 0;
  QByteArray FBytes;
};

}  // namespace

QByteArray LzwEncode(const std::vector<std::uint8_t>& APixels, int AMinCodeSize) {
  const int clear = 1 << AMinCodeSize;
  const int end = clear + 1;
  constexpr int MaxCodes = 4096;
  // Next code for (prefix code, pixel); -1 when not in the table.
  std::vector<int> table(static_cast<size_t>(MaxCodes) * 256, -1);
  int next = end + 1;
  int width = AMinCodeSize + 1;
  TBitSink sink;
  sink.Put(clear, width);
  int prefix = -1;
  for (std::uint8_t pixel : APixels) {
    if (prefix < 0) {
      prefix = pixel;
      continue;
    }
    const size_t slot = static_cast<size_t>(prefix) * 256 + pixel;
    if (table[slot] >= 0) {
      prefix = table[slot];
      continue;
    }
    sink.Put(prefix, width);
    const int added = next++;
    table[slot] = added;
    if (added >= (1 << width)) ++width;
    if (added == MaxCodes - 1) {
      // The table is full: start a new one.
      sink.Put(clear, width);
      std::fill(table.begin(), table.end(), -1);
      next = end + 1;
      width = AMinCodeSize + 1;
    }
    prefix = pixel;
  }
  if (prefix >= 0) sink.Put(prefix, width);
  sink.Put(end, width);
  const QByteArray codes = sink.Finish();

  QByteArray out;
  out.append(static_cast<char>(AMinCodeSize));
  for (qsizetype i = 0; i < codes.size(); i += 255) {
    const qsizetype n = std::min<qsizetype>(255, codes.size() - i);
    out.append(static_cast<char>(n));
    out.append(codes.constData() + i, n);
  }
  out.append('\0');
  return out;
}

QByteArray WriteGif(int AWidth, int AHeight, const QList<QRgb>& AColors, int ATransparent,
                    const QList<TGifFrame>& AFrames) {
  QByteArray out("GIF89a");
  PutWord(out, AWidth);
  PutWord(out, AHeight);
  out.append(static_cast<char>(0xF7));  // global colour table of 256 entries, 8 bits a colour
  out.append('\0');                     // background colour index
  out.append('\0');                     // no aspect ratio
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < AColors.size() ? AColors[i] : qRgb(0, 0, 0);
    out.append(static_cast<char>(qRed(c)));
    out.append(static_cast<char>(qGreen(c)));
    out.append(static_cast<char>(qBlue(c)));
  }
  // Application extension NETSCAPE2.0: loop count 0, for ever.
  out.append(
      "\x21\xFF\x0B"
      "NETSCAPE2.0"
      "\x03\x01",
      16);
  PutWord(out, 0);
  out.append('\0');
  for (const TGifFrame& frame : AFrames) {
    // Graphic control extension: restore to background after the frame, transparency, delay.
    out.append("\x21\xF9\x04", 3);
    out.append(static_cast<char>((2 << 2) | (ATransparent >= 0 ? 1 : 0)));
    PutWord(out, frame.DelayCs);
    out.append(static_cast<char>(ATransparent >= 0 ? ATransparent : 0));
    out.append('\0');
    // Image descriptor: the whole screen, no local colour table, not interlaced.
    out.append('\x2C');
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, AWidth);
    PutWord(out, AHeight);
    out.append('\0');
    out.append(LzwEncode(frame.Pixels, 8));
  }
  out.append('\x3B');
  return out;
}

}  // namespace kavio::tools
