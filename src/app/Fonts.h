#pragma once
// The program's fonts: Tahoma at a pixel height where it is installed, otherwise the desktop's
// sans-serif at the matching point size.

#include <QFont>

namespace kavio::app {

QFont TahomaOr(int APixels, int APoints);

}  // namespace kavio::app
