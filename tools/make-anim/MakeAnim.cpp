// kavio-make-anim OUTDIR: draws the window's pictures into OUTDIR:
//   ComplAnim.gif  the completion animation: 128 × 128 pixels, 15 frames, a loop of 1.9 s
//                  (delays 13, 13, 12 hundredths of a second, five times), looping for ever;
//                  a green disc with a white tick and a light arc running once around it.
//   Info.png       the info button's picture, 35 × 35 pixels: a blue disc with a white "i".
// The output depends only on this program, so the committed files can be made again.

#include "GifWriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

using kavio::tools::TGifFrame;

namespace {

constexpr int Side = 128;
constexpr int FrameCount = 15;
constexpr int Transparent = 255;

// A 6 × 6 × 6 colour cube, 39 greys, and the transparent entry last.
QList<QRgb> Palette() {
  QList<QRgb> colors;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) colors.append(qRgb(r * 51, g * 51, b * 51));
  for (int i = 1; i <= 39; ++i) colors.append(qRgb(i * 255 / 40, i * 255 / 40, i * 255 / 40));
  colors.append(qRgb(255, 255, 255));  // the transparent entry
  return colors;
}

int Nearest(const QList<QRgb>& APalette, QRgb AColor) {
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < Transparent; ++i) {
    const int dr = qRed(APalette[i]) - qRed(AColor);
    const int dg = qGreen(APalette[i]) - qGreen(AColor);
    const int db = qBlue(APalette[i]) - qBlue(AColor);
    const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

QImage DrawFrame(int AIndex) {
  QImage image(Side, Side, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF disc(8, 8, Side - 16, Side - 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 153, 51));
  p.drawEllipse(disc);
  // The tick: slightly larger on every fifth frame, so it seems to beat.
  const double beat = (AIndex % 5 == 0) ? 1.06 : 1.0;
  p.translate(Side / 2.0, Side / 2.0);
  p.scale(beat, beat);
  QPainterPath tick;
  tick.moveTo(-28, 2);
  tick.lineTo(-8, 22);
  tick.lineTo(30, -20);
  p.setPen(QPen(Qt::white, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(tick);
  p.resetTransform();
  // The arc: a quarter circle that moves on by 24 degrees a frame, once round in 15 frames.
  p.setPen(QPen(QColor(204, 255, 204), 6, Qt::SolidLine, Qt::RoundCap));
  const QRectF ring(disc.adjusted(7, 7, -7, -7));
  p.drawArc(ring, (90 - AIndex * 24) * 16, -90 * 16);
  p.end();
  return image;
}

std::vector<std::uint8_t> Indexed(const QImage& AImage, const QList<QRgb>& APalette) {
  std::vector<std::uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(Side) * Side);
  for (int y = 0; y < Side; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(AImage.constScanLine(y));
    for (int x = 0; x < Side; ++x) {
      const QRgb c = line[x];
      if (qAlpha(c) < 128) {
        pixels.push_back(Transparent);
        continue;
      }
      // Premultiplied edges back to full colour before the nearest entry is chosen.
      const int a = qAlpha(c);
      const QRgb full = qRgb(qRed(c) * 255 / a, qGreen(c) * 255 / a, qBlue(c) * 255 / a);
      pixels.push_back(static_cast<std::uint8_t>(Nearest(APalette, full)));
    }
  }
  return pixels;
}

QImage DrawInfo() {
  QImage image(35, 35, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 90, 190));
  p.drawEllipse(QRectF(1.5, 1.5, 32, 32));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(14.5, 7, 6, 6));
  p.drawRoundedRect(QRectF(14.5, 15, 6, 13), 1.5, 1.5);
  p.end();
  return image;
}

bool WriteFile(const QString& APath, const QByteArray& AData) {
  QFile file(APath);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(AData) == AData.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: kavio-make-anim ORDNER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  const QList<QRgb> palette = Palette();
  QList<TGifFrame> frames;
  for (int i = 0; i < FrameCount; ++i) {
    TGifFrame frame;
    frame.Pixels = Indexed(DrawFrame(i), palette);
    frame.DelayCs = (i % 3 == 2) ? 12 : 13;  // 5 × (13 + 13 + 12) = 190
    frames.append(std::move(frame));
  }
  const QByteArray gif = kavio::tools::WriteGif(Side, Side, palette, Transparent, frames);
  if (!WriteFile(folder + QStringLiteral("/ComplAnim.gif"), gif)) {
    std::fprintf(stderr, "kavio-make-anim: ComplAnim.gif kann nicht geschrieben werden\n");
    return 1;
  }
  if (!DrawInfo().save(folder + QStringLiteral("/Info.png"), "PNG")) {
    std::fprintf(stderr, "kavio-make-anim: Info.png kann nicht geschrieben werden\n");
    return 1;
  }
  return 0;
}
