#include "app/Dpi.h"

#include <QGuiApplication>
#include <QScreen>

namespace kavio::app {

TDpi TDpi::OfPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || screen->logicalDotsPerInchY() <= 0) return TDpi(1.0);
  return TDpi(screen->logicalDotsPerInchY() / 96.0);
}

}  // namespace kavio::app
