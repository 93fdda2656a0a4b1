#pragma once
// The MIME message object of the scan: parses the header block of a message and answers date,
// first sender and subject; and the generated header block of the ".msg" routes.

#include "platform/DateTime.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kavio::platform {

struct TMailAddress {
  QString Name;
  QString Address;
  bool operator==(const TMailAddress&) const = default;
};

class TIdMessage {
 public:
  // Parses the header block of AMessage: everything before the first empty line (the whole
  // data when there is none). Header fields are matched without regard to case; of a field that
  // occurs more than once the first counts. Never throws; unreadable values read as missing.
  void LoadHeaders(const QByteArray& AMessage);
  void Clear();

  // The instant of the Date header; invalid when the header is missing or cannot be read.
  const QDateTime& Date() const { return FDate; }
  // Date() as local day-count date-time; NoDate when there is no date.
  TDateTime LocalDate() const { return InstantToDateTime(FDate); }
  // The first mailbox of From (the first member of a group), decoded; both parts empty when
  // From is missing or empty.
  const TMailAddress& From() const { return FFrom; }
  const QString& Subject() const { return FSubject; }

 private:
  QDateTime FDate;
  TMailAddress FFrom;
  QString FSubject;
};

// Reads an RFC 5322 date-time (obsolete forms included: two- and three-digit years, zone names);
// invalid when unreadable. Two-digit years 00-49 are 20xx, 50-99 19xx (RFC 5322 section 4.3).
QDateTime ParseMailDate(const QByteArray& AValue);

// Parses the first mailbox of an address-list header value.
TMailAddress ParseFirstMailbox(const QByteArray& AValue);

// The generated header block: From, Subject, Date (with the offset in force at that instant)
// and MIME-Version, ending in an empty line. An invalid ADate writes no Date header. Non-ASCII
// text is written as RFC 2047 encoded words in UTF-8.
QByteArray GenerateHeaderBlock(const QString& ASubject, const QDateTime& ADate, const QString& AName,
                               const QString& AAddress);

// An RFC 5322 date-time text of an instant: "Tue, 03 Feb 2015 09:15:00 +0100", in the offset of
// local time at that instant.
QByteArray FormatMailDate(const QDateTime& AInstant);

}  // namespace kavio::platform
