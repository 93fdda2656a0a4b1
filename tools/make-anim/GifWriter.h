#pragma once
// A minimal GIF89a writer: indexed frames of one size with one global colour table, a delay per
// frame, an optional transparent index, and an endless loop (the NETSCAPE2.0 extension).

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace kavio::tools {

struct TGifFrame {
  std::vector<std::uint8_t> Pixels;  // width × height palette indices, row by row
  int DelayCs = 10;                  // hundredths of a second
};

// AColors: at most 256 entries (padded to 256). ATransparent: -1 for none.
QByteArray WriteGif(int AWidth, int AHeight, const QList<QRgb>& AColors, int ATransparent,
                    const QList<TGifFrame>& AFrames);

// The LZW code stream of a frame (GIF variant: LSB first, variable width up to 12 bits) as data
// sub-blocks, with the minimum code size in front.
QByteArray LzwEncode(const std::vector<std::uint8_t>& APixels, int AMinCodeSize);

}  // namespace kavio::tools
