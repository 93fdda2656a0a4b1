#include "platform/MimeHeader.h"

#include "platform/GLibLog.h"
#include "platform/Rfc2047.h"

#include <QLocale>
#include <QRegularExpression>
#include <gmime/gmime.h>
#include <mutex>

namespace kavio::platform {

namespace {

// Parser options of our own: lenient like a mail client, and 8-bit text that our normalisation
// has already made UTF-8.
GMimeParserOptions* ParserOptions() {
  static GMimeParserOptions* options = [] {
    InstallGLibLogHandlers();
    g_mime_init();
    GMimeParserOptions* o = g_mime_parser_options_new();
    static const char* charsets[] = {"UTF-8", "windows-1252", nullptr};
    g_mime_parser_options_set_fallback_charsets(o, charsets);
    g_mime_parser_options_set_address_compliance_mode(o, GMIME_RFC_COMPLIANCE_LOOSE);
    g_mime_parser_options_set_rfc2047_compliance_mode(o, GMIME_RFC_COMPLIANCE_LOOSE);
    g_mime_parser_options_set_allow_addresses_without_domain(o, TRUE);
    return o;
  }();
  return options;
}

bool IsFieldNameChar(char c) { return c >= 33 && c <= 126 && c != ':'; }

// The first mailbox in a list, also inside groups.
InternetAddressMailbox* FirstMailbox(InternetAddressList* AList) {
  if (!AList) return nullptr;
  const int count = internet_address_list_length(AList);
  for (int i = 0; i < count; ++i) {
    InternetAddress* address = internet_address_list_get_address(AList, i);
    if (INTERNET_ADDRESS_IS_MAILBOX(address)) return INTERNET_ADDRESS_MAILBOX(address);
    if (INTERNET_ADDRESS_IS_GROUP(address)) {
      if (auto* member = FirstMailbox(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address))))
        return member;
    }
  }
  return nullptr;
}

// An address that is one quoted string as a whole ("/O=Org/CN=X" written as a quoted local part
// without domain) without its quotes.
QString UnquotedAddress(const QString& AAddress) {
  if (AAddress.size() < 2 || !AAddress.startsWith(QLatin1Char('"')) || !AAddress.endsWith(QLatin1Char('"'))) return AAddress;
  QString out;
  for (qsizetype i = 1; i + 1 < AAddress.size(); ++i) {
    if (AAddress[i] == QLatin1Char('\\') && i + 2 < AAddress.size()) ++i;
    else if (AAddress[i] == QLatin1Char('"')) return AAddress;  // not one quoted string
    out += AAddress[i];
  }
  return out;
}

const QRegularExpression& NullAddress() {
  static const QRegularExpression pattern(QStringLiteral("^(.*)<\\s*>\\s*$"));
  return pattern;
}

// A quoted string (RFC 5322 section 3.2.4); text outside US-ASCII as UTF-8 (RFC 6532).
QByteArray Quoted(const QString& AText) {
  QString out = QStringLiteral("\"");
  for (QChar c : AText) {
    if (c == QLatin1Char('"') || c == QLatin1Char('\\')) out += QLatin1Char('\\');
    out += c;
  }
  return (out + QLatin1Char('"')).toUtf8();
}

}  // namespace

void TIdMessage::Clear() {
  FDate = QDateTime();
  FFrom = TMailAddress();
  FSubject.clear();
}

void TIdMessage::LoadHeaders(const QByteArray& AMessage) {
  Clear();
  QByteArray from, subject, date;
  bool haveFrom = false, haveSubject = false, haveDate = false;
  QByteArray* current = nullptr;  // the field whose continuation lines follow, if it is one of ours

  qsizetype pos = 0;
  const qsizetype size = AMessage.size();
  while (pos < size) {
    qsizetype eol = AMessage.indexOf('\n', pos);
    if (eol < 0) eol = size;
    qsizetype lineEnd = eol;
    if (lineEnd > pos && AMessage[lineEnd - 1] == '\r') --lineEnd;
    const qsizetype lineLength = lineEnd - pos;
    const char* line = AMessage.constData() + pos;
    pos = eol + 1;

    if (lineLength == 0) break;  // the empty line that ends the header block
    if (line[0] == ' ' || line[0] == '\t') {
      if (current) current->append(line, lineLength);
      continue;
    }
    current = nullptr;
    qsizetype colon = 0;
    while (colon < lineLength && IsFieldNameChar(line[colon])) ++colon;
    if (colon == 0 || colon >= lineLength || line[colon] != ':') continue;  // not a header field
    const QByteArray name = QByteArray::fromRawData(line, colon);
    const QByteArray value(line + colon + 1, lineLength - colon - 1);
    if (!haveFrom && name.compare("From", Qt::CaseInsensitive) == 0) {
      haveFrom = true;
      from = value;
      current = &from;
    } else if (!haveSubject && name.compare("Subject", Qt::CaseInsensitive) == 0) {
      haveSubject = true;
      subject = value;
      current = &subject;
    } else if (!haveDate && name.compare("Date", Qt::CaseInsensitive) == 0) {
      haveDate = true;
      date = value;
      current = &date;
    }
  }

  if (haveDate) FDate = ParseMailDate(date);
  if (haveFrom) FFrom = ParseFirstMailbox(from);
  if (haveSubject) FSubject = DecodeUnstructured(subject.trimmed());
}

namespace {

int MonthOfName(const QByteArray& AName) {
  static const char* names[] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
  const QByteArray lower = AName.left(3).toLower();
  for (int i = 0; i < 12; ++i)
    if (lower == names[i]) return i + 1;
  return 0;
}

bool IsDigits(const QByteArray& AText) {
  if (AText.isEmpty()) return false;
  for (char c : AText)
    if (c < '0' || c > '9') return false;
  return true;
}

// The zone of RFC 5322 section 3.3 and 4.3 in minutes east of UTC; false when it is no zone.
// Zone names other than the American ones of RFC 822 (and military letters) count as UTC, as
// RFC 5322 section 4.3 allows.
bool ZoneOffset(const QByteArray& AZone, int& AMinutes) {
  if ((AZone.size() == 5) && (AZone[0] == '+' || AZone[0] == '-') && IsDigits(AZone.mid(1))) {
    const int value = AZone.mid(1).toInt();
    const int minutes = (value / 100) * 60 + value % 100;
    AMinutes = AZone[0] == '-' ? -minutes : minutes;
    return true;
  }
  static const struct {
    const char* Name;
    int Hours;
  } names[] = {{"UT", 0},   {"UTC", 0},  {"GMT", 0},  {"Z", 0},    {"EST", -5}, {"EDT", -4},
               {"CST", -6}, {"CDT", -5}, {"MST", -7}, {"MDT", -6}, {"PST", -8}, {"PDT", -7}};
  const QByteArray upper = AZone.toUpper();
  for (const auto& name : names)
    if (upper == name.Name) {
      AMinutes = name.Hours * 60;
      return true;
    }
  for (char c : AZone)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  AMinutes = 0;
  return !AZone.isEmpty();
}

// The date-time of RFC 5322 section 3.3 with the obsolete forms of section 4.3:
// [day-name ","] day month year hour ":" minute [":" second] [zone], comments left out.
QDateTime ParseRfc5322Date(const QByteArray& AValue) {
  QByteArray text;
  int depth = 0;
  for (char c : AValue) {  // drop comments "( ... )"
    if (c == '(') ++depth;
    else if (c == ')' && depth > 0) --depth;
    else if (depth == 0) text += (c == ',' ? ' ' : c);
  }
  QList<QByteArray> tokens = text.simplified().split(' ');
  if (!tokens.isEmpty() && !tokens.first().isEmpty() && !IsDigits(tokens.first())) tokens.removeFirst();  // day name
  if (tokens.size() < 4) return {};
  // "3-Feb-2015" as some clients write it.
  if (tokens[0].count('-') == 2) {
    const QList<QByteArray> parts = tokens[0].split('-');
    tokens.removeFirst();
    for (int i = 2; i >= 0; --i) tokens.prepend(parts[i]);
  }
  if (tokens.size() < 4 || !IsDigits(tokens[0]) || !IsDigits(tokens[2])) return {};
  const int day = tokens[0].toInt();
  const int month = MonthOfName(tokens[1]);
  int year = tokens[2].toInt();
  if (month == 0 || tokens[2].size() < 2 || tokens[2].size() > 4) return {};
  if (tokens[2].size() == 2) year += year < 50 ? 2000 : 1900;
  else if (tokens[2].size() == 3) year += 1900;
  const QList<QByteArray> clock = tokens[3].split(':');
  if (clock.size() < 2 || clock.size() > 3) return {};
  for (const auto& part : clock)
    if (!IsDigits(part) || part.size() > 2) return {};
  const int hour = clock[0].toInt(), minute = clock[1].toInt();
  int second = clock.size() == 3 ? clock[2].toInt() : 0;
  if (second == 60) second = 59;  // a leap second
  int offset = 0;
  if (tokens.size() >= 5 && !ZoneOffset(tokens[4], offset)) return {};
  const QDate date(year, month, day);
  const QTime time(hour, minute, second);
  // Years before 1601 (the start of Windows file times) are no mail dates.
  if (!date.isValid() || !time.isValid() || year < 1601) return {};
  return QDateTime(date, time, Qt::UTC).addSecs(-static_cast<qint64>(offset) * 60);
}

}  // namespace

QDateTime ParseMailDate(const QByteArray& AValue) {
  const QByteArray value = AValue.simplified();
  if (value.isEmpty()) return {};
  QDateTime instant = ParseRfc5322Date(value);
  if (instant.isValid()) return instant;
  // Other forms (asctime and the like): GMime's lenient parser. It knows no year before 1969,
  // which the parser above covers.
  ParserOptions();  // makes sure GMime is initialised
  GDateTime* parsed = g_mime_utils_header_decode_date(value.constData());
  if (!parsed) return {};
  instant = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(parsed), Qt::UTC);
  g_date_time_unref(parsed);
  return instant;
}

TMailAddress ParseFirstMailbox(const QByteArray& AValue) {
  const QByteArray value = NormaliseAddressList(AValue.trimmed());
  if (value.isEmpty()) return {};
  TMailAddress result;
  InternetAddressList* list = internet_address_list_parse(ParserOptions(), value.constData());
  if (InternetAddressMailbox* mailbox = FirstMailbox(list)) {
    result.Name = QString::fromUtf8(internet_address_get_name(INTERNET_ADDRESS(mailbox)));
    result.Address = UnquotedAddress(QString::fromUtf8(internet_address_mailbox_get_addr(mailbox)));
  } else if (const auto match = NullAddress().match(QString::fromUtf8(value)); match.hasMatch()) {
    // "MAILER-DAEMON <>": GMime reads no mailbox from an empty angle address.
    char* name = g_mime_utils_header_decode_phrase(ParserOptions(), match.captured(1).trimmed().toUtf8().constData());
    result.Name = QString::fromUtf8(name);
    g_free(name);
    if (result.Name.size() >= 2 && result.Name.startsWith(QLatin1Char('"')) && result.Name.endsWith(QLatin1Char('"')))
      result.Name = UnquotedAddress(result.Name);
  }
  if (list) g_object_unref(list);
  return result;
}

QByteArray FormatMailDate(const QDateTime& AInstant) {
  QDateTime local = AInstant.toLocalTime();
  // A zone's local mean time of long ago can be off by seconds, which RFC 5322 cannot write:
  // then the time is written in UTC.
  if (local.offsetFromUtc() % 60 != 0) local = AInstant.toUTC();
  const int offset = local.offsetFromUtc() / 60;
  const int absOffset = offset < 0 ? -offset : offset;
  const QString text = QLocale::c().toString(local, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")) +
                       QLatin1Char(offset < 0 ? '-' : '+') +
                       QStringLiteral("%1%2").arg(absOffset / 60, 2, 10, QLatin1Char('0')).arg(absOffset % 60, 2, 10, QLatin1Char('0'));
  return text.toLatin1();
}

QByteArray GenerateHeaderBlock(const QString& ASubject, const QDateTime& ADate, const QString& AName,
                               const QString& AAddress) {
  QByteArray block;
  block.reserve(256);
  block += "From: ";
  if (!AName.isEmpty()) {
    block += IsPlainHeaderText(AName) ? Quoted(AName) : EncodeWords(AName);
    block += ' ';
  }
  if (!AAddress.isEmpty() || !AName.isEmpty()) {
    // An address that is no plain addr-spec (an X.500 name with blanks, say) is written as a
    // quoted local part, so that it comes back unchanged.
    static const QRegularExpression addrSpec(QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~.-]+(@[A-Za-z0-9.\\-\\[\\]:]+)?$"));
    if (AAddress.isEmpty())
      block += "<\"\">";  // a name without address: GMime reads no mailbox from "<>"
    else if (addrSpec.match(AAddress).hasMatch())
      block += "<" + AAddress.toUtf8() + ">";
    else
      block += "<" + Quoted(AAddress) + ">";
  }
  block += "\r\nSubject: ";
  block += IsPlainHeaderText(ASubject) ? ASubject.toLatin1() : EncodeWords(ASubject);
  block += "\r\n";
  if (ADate.isValid()) block += "Date: " + FormatMailDate(ADate) + "\r\n";
  block += "MIME-Version: 1.0\r\n\r\n";
  return block;
}

}  // namespace kavio::platform
