#include "platform/DateTime.h"

#include <QRegularExpression>
#include <cmath>

namespace kavio::platform {

namespace {

const QDate DayCountEpoch(1899, 12, 30);
constexpr qint64 MillisecondsPerDay = 86'400'000;

}  // namespace

QDateTime DayCountToLocal(TDateTime ADateTime) {
  // The fraction counts from the start of the day also for negative day counts (days before
  // 1899-12-30): -1.25 is 29.12.1899 06:00, as the original day count defines it.
  const double wholeDays = std::trunc(ADateTime);
  const double fraction = std::fabs(ADateTime - wholeDays);
  qint64 ms = std::llround(fraction * MillisecondsPerDay);
  qint64 days = static_cast<qint64>(wholeDays);
  if (ms >= MillisecondsPerDay) {  // rounding reached the next day
    ms -= MillisecondsPerDay;
    days += ADateTime < 0 ? -1 : 1;
  }
  return QDateTime(DayCountEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)),
                   Qt::LocalTime);
}

TDateTime LocalToDayCount(const QDate& ADate, const QTime& ATime) {
  const qint64 days = DayCountEpoch.daysTo(ADate);
  const double fraction = static_cast<double>(ATime.msecsSinceStartOfDay()) / MillisecondsPerDay;
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

TDateTime InstantToDateTime(const QDateTime& AInstant) {
  if (!AInstant.isValid()) return NoDate;
  const QDateTime local = AInstant.toLocalTime();
  return LocalToDayCount(local.date(), local.time());
}

QDateTime DateTimeToInstant(TDateTime ADateTime) {
  if (ADateTime == NoDate) return {};
  return DayCountToLocal(ADateTime).toUTC();
}

QString ShortDatePattern(const QLocale& ALocale) {
  QString pattern = ALocale.dateFormat(QLocale::ShortFormat);
  // A two-digit year becomes four digits; a pattern that has four already stays.
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  pattern.replace(twoDigitYear, QStringLiteral("yyyy"));
  return pattern;
}

QString LongTimePattern(const QLocale& ALocale) {
  QString pattern = ALocale.timeFormat(QLocale::LongFormat);
  // Drop the time-zone field ("t", "tt", ...) and the blanks before it.
  static const QRegularExpression zone(QStringLiteral("\\s*(?<![A-Za-z'])t+(?![A-Za-z'])"));
  pattern.replace(zone, QString());
  return pattern.trimmed();
}

QString DateTimeText(const QDateTime& ALocal, const QLocale& ALocale) {
  // The patterns of the locale last asked for: a scan asks for one locale thousands of times.
  struct TPatterns {
    QLocale Locale;
    QString Date;
    QString Time;
  };
  thread_local TPatterns cached{QLocale::c(), ShortDatePattern(QLocale::c()), LongTimePattern(QLocale::c())};
  if (cached.Locale != ALocale) cached = {ALocale, ShortDatePattern(ALocale), LongTimePattern(ALocale)};
  const QString date = ALocale.toString(ALocal.date(), cached.Date);
  if (ALocal.time() == QTime(0, 0)) return date;
  return date + QLatin1Char(' ') + ALocale.toString(ALocal.time(), cached.Time);
}

QString InstantText(const QDateTime& AInstant, const QLocale& ALocale) {
  if (!AInstant.isValid()) return {};
  return DateTimeText(AInstant.toLocalTime(), ALocale);
}

}  // namespace kavio::platform
