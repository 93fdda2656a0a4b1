#pragma once
// Wrapping of hint texts.

#include <QString>

namespace kavio::app {

// Breaks AStrg into lines of at most AMaxCharPerLine characters at blanks; the lines are joined
// by line feed and carriage return, in this order. A remaining text of exactly AMaxCharPerLine
// characters is still broken at its last blank. A run of AMaxCharPerLine or more characters
// without a blank is broken after AMaxCharPerLine characters.
QString AutoCrLF(const QString& AStrg, int AMaxCharPerLine);

}  // namespace kavio::app
