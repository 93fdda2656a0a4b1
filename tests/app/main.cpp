// main() of the window tests: German local time and German locale data first, then the
// program's application object, so that its error reporting is in force as in the program.

#include "app/TApplication.h"

#include <gtest/gtest.h>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
  ::setenv("TZ", "Europe/Berlin", 1);
  ::tzset();
  // Also when ctest lists the tests, which it does without the tests' environment.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kavio::app::TApplication app(argc, argv);
  QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
  // No window of a test reads or writes the user's settings.
  QTemporaryDir configHome;
  ::setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
