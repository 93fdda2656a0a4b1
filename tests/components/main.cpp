// main() of the component tests: German local time first, then an application with widgets.

#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
  ::setenv("TZ", "Europe/Berlin", 1);
  ::tzset();
  // Also when ctest lists the tests, which it does without the tests' environment.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
