#include "app/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace kavio::app {

namespace {

const QString Tahoma = QStringLiteral("Tahoma");

// Tahoma is rarely installed for the desktop on Linux; Wine's free Tahoma (package fonts-wine),
// made with the same metrics, lies outside the font paths and is loaded for the program alone.
bool HaveTahoma() {
  static const bool have = [] {
    if (QFontDatabase::families().contains(Tahoma)) return true;
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
      if (QFile::exists(QLatin1String(file))) QFontDatabase::addApplicationFont(QLatin1String(file));
    return QFontDatabase::families().contains(Tahoma);
  }();
  return have;
}

}  // namespace

QFont TahomaOr(int APixels, int APoints) {
  if (HaveTahoma()) {
    QFont font(Tahoma);
    font.setPixelSize(APixels);
    return font;
  }
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(APoints);
  return font;
}

}  // namespace kavio::app
