// main() of the component tests: German local time first, then an application with widgets.

#include <QApplication>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::setenv("TZ", "Europe/Berlin", 1);
  ::tzset();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
