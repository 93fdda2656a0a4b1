// main() of the test binaries that need no window: German local time for every test, so that
// local date-times and date prefixes are the same on every machine.

#include <QCoreApplication>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::setenv("TZ", "Europe/Berlin", 1);
  ::tzset();
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
