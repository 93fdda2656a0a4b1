#include "TestSupport.h"
#include "platform/DateTime.h"

#include <gtest/gtest.h>

using namespace kavio::platform;

TEST(DateTime, DayCountEpochIsNoDate) {
  EXPECT_EQ(DayCountToLocal(0.0), QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::LocalTime));
  EXPECT_FALSE(DateTimeToInstant(NoDate).isValid());
  EXPECT_EQ(InstantToDateTime(QDateTime()), NoDate);
}

TEST(DateTime, DayCountFractionIsTimeOfDay) {
  // 42038.385416666... is 03.02.2015 09:15:00.
  const QDateTime local = DayCountToLocal(42038.0 + (9 * 3600 + 15 * 60) / 86400.0);
  EXPECT_EQ(local.date(), QDate(2015, 2, 3));
  EXPECT_EQ(local.time(), QTime(9, 15, 0));
  EXPECT_DOUBLE_EQ(LocalToDayCount(QDate(2015, 2, 3), QTime(0, 0)), 42038.0);
  // Before the epoch the fraction still counts forward from the start of the day.
  EXPECT_EQ(DayCountToLocal(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::LocalTime));
  EXPECT_DOUBLE_EQ(LocalToDayCount(QDate(1899, 12, 29), QTime(6, 0)), -1.25);
}

TEST(DateTime, LocalTimeUsesTheRulesAtThatInstant) {
  // Berlin: +01:00 in winter, +02:00 in summer, whatever today's offset is.
  const QDateTime summer = QDateTime(QDate(2015, 7, 1), QTime(22, 30), Qt::UTC);
  const QDateTime local = DayCountToLocal(InstantToDateTime(summer));
  EXPECT_EQ(local.date(), QDate(2015, 7, 2));
  EXPECT_EQ(local.time(), QTime(0, 30));
  const QDateTime winter = QDateTime(QDate(2015, 1, 1), QTime(22, 30), Qt::UTC);
  EXPECT_EQ(DayCountToLocal(InstantToDateTime(winter)).time(), QTime(23, 30));
  // And back to the same instants.
  EXPECT_EQ(DateTimeToInstant(InstantToDateTime(summer)), summer);
  EXPECT_EQ(DateTimeToInstant(InstantToDateTime(winter)), winter);
}

TEST(DateTime, TextInGermanAndOtherLocales) {
  const QLocale german(QStringLiteral("de_DE"));
  EXPECT_EQ(DateTimeText(QDateTime(QDate(2015, 2, 3), QTime(9, 15), Qt::LocalTime), german),
            QStringLiteral("03.02.2015 09:15:00"));
  // Exactly midnight: the date alone. A second later: with the time.
  EXPECT_EQ(DateTimeText(QDateTime(QDate(2015, 2, 3), QTime(0, 0), Qt::LocalTime), german), QStringLiteral("03.02.2015"));
  EXPECT_EQ(DateTimeText(QDateTime(QDate(2015, 2, 3), QTime(0, 0, 1), Qt::LocalTime), german),
            QStringLiteral("03.02.2015 00:00:01"));
  const QLocale us(QStringLiteral("en_US"));
  EXPECT_EQ(DateTimeText(QDateTime(QDate(2015, 2, 3), QTime(21, 5, 7), Qt::LocalTime), us),
            QStringLiteral("2/3/2015 9:05:07 PM"));
  EXPECT_EQ(ShortDatePattern(QLocale(QStringLiteral("en_GB"))), QStringLiteral("dd/MM/yyyy"));
  EXPECT_EQ(LongTimePattern(german), QStringLiteral("HH:mm:ss"));
}

TEST(DateTime, InstantTextShowsLocalTimeAndNothingForNoDate) {
  const QLocale german(QStringLiteral("de_DE"));
  EXPECT_EQ(InstantText(QDateTime(QDate(2015, 2, 3), QTime(8, 15), Qt::UTC), german), QStringLiteral("03.02.2015 09:15:00"));
  EXPECT_EQ(InstantText(QDateTime(), german), QString());
}
