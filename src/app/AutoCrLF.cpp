#include "app/AutoCrLF.h"

namespace kavio::app {

namespace {

// Blanks and control characters at both ends removed.
QString Trim(const QString& AText) {
  qsizetype begin = 0, end = AText.size();
  while (begin < end && AText[begin].unicode() <= ' ') ++begin;
  while (end > begin && AText[end - 1].unicode() <= ' ') --end;
  return AText.mid(begin, end - begin);
}

}  // namespace

QString AutoCrLF(const QString& AStrg, int AMaxCharPerLine) {
  QString rest = Trim(AStrg);
  if (AMaxCharPerLine < 1) return rest;
  QString result;
  do {
    QString line = rest.left(AMaxCharPerLine);
    if (line.size() == AMaxCharPerLine) {
      qsizetype keep = line.size();
      while (keep > 0 && line[keep - 1] != QLatin1Char(' ')) --keep;
      // A run without a blank keeps the whole line, so that every turn takes something.
      if (keep > 0) line.truncate(keep);
    }
    line = Trim(line);
    rest = Trim(rest.mid(line.size()));
    result += line;
    if (!rest.isEmpty()) result += QStringLiteral("\n\r");
  } while (!rest.isEmpty());
  return result;
}

}  // namespace kavio::app
