#pragma once
// The day-count date-time of the program and its conversions.
//
// A TDateTime counts days since 30.12.1899 00:00:00; its fraction is the time of day. It always
// holds a local date-time. The value 0 stands for "no date". A mail's real point in time is kept
// as an instant (a UTC QDateTime); an invalid QDateTime is "no date".

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace kavio::platform {

using TDateTime = double;

inline constexpr TDateTime NoDate = 0.0;

// The local date-time of an instant, formed with the zone rules in force at that instant.
// An invalid instant gives NoDate.
TDateTime InstantToDateTime(const QDateTime& AInstant);

// The instant of a local date-time, read with the zone rules in force at that date-time.
// NoDate gives an invalid QDateTime. In the hour a clock is set back, the earlier instant.
QDateTime DateTimeToInstant(TDateTime ADateTime);

// Local calendar date and time of a day count, to the millisecond; no zone involved.
QDateTime DayCountToLocal(TDateTime ADateTime);
TDateTime LocalToDayCount(const QDate& ADate, const QTime& ATime);

// The date-time text of the program: the locale's short date with a four-digit year, a blank and
// the locale's long time without zone; the time is left out at exactly midnight.
// With German settings: "03.02.2015 09:15:00".
QString DateTimeText(const QDateTime& ALocal, const QLocale& ALocale = QLocale());

// The text of an instant, shown as the local time in force at that instant; empty for an
// invalid instant ("no date").
QString InstantText(const QDateTime& AInstant, const QLocale& ALocale = QLocale());

// The locale's patterns used by DateTimeText.
QString ShortDatePattern(const QLocale& ALocale);
QString LongTimePattern(const QLocale& ALocale);

}  // namespace kavio::platform
