#include "make-eml/EmlGenerator.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <stdexcept>

namespace kavio::tools {

namespace {

// Senders as clients write them. Name, Address and Part are what a reader must get: the
// decoded display name and address of the first mailbox, and the sender part of the new name.
struct TSender {
  const char* Header;  // the From value, bytes as they stand in the file
  const char* Name;
  const char* Address;
  const char* Part;
};

const TSender Senders[] = {
    {"=?UTF-8?Q?Hans_M=C3=BCller?= <hans.mueller@example.de>", "Hans Müller", "hans.mueller@example.de",
     "Hans Müller_"},
    // Two adjacent B words in one charset: the blank between them is not part of the text.
    {"=?UTF-8?B?SsO8cmdlbg==?= =?UTF-8?B?IE3DvGxsZXI=?= <j.mueller@firma.example>", "Jürgen Müller",
     "j.mueller@firma.example", "Jürgen Müller_"},
    {"=?ISO-8859-1?B?SvxyZ2Vu?=\n =?ISO-8859-1?B?IEL2aG0=?= <j.boehm@example.de>", "Jürgen Böhm", "j.boehm@example.de",
     "Jürgen Böhm_"},
    {"=?ISO-8859-1?Q?Fran=E7ois_L=E9vy?= <f.levy@exemple.fr>", "François Lévy", "f.levy@exemple.fr", "François Lévy_"},
    {"=?ISO-8859-15?B?SvZyZyBXZWnf?= <joerg.weiss@example.at>", "Jörg Weiß", "joerg.weiss@example.at", "Jörg Weiß_"},
    {"=?windows-1252?Q?Zo=EB_O=92Brien?= <zoe@example.ie>", "Zoë O’Brien", "zoe@example.ie", "Zoë O’Brien_"},
    {"=?KOI8-R?B?6dfBziDwxdTSz9c=?= <ivan.petrov@example.ru>", "Иван Петров", "ivan.petrov@example.ru", "Иван Петров_"},
    {"=?ISO-2022-JP?B?GyRCOzNFRBsoQiAbJEJCQE86GyhC?= <yamada@example.jp>", "山田 太郎", "yamada@example.jp",
     "山田 太郎_"},
    {"=?Shift_JIS?B?l+mW2CCI6phZ?= <suzuki@example.co.jp>", "鈴木 一郎", "suzuki@example.co.jp", "鈴木 一郎_"},
    {"=?utf-8?q?=C3=84rzte_ohne_Grenzen?= <spenden@example.org>", "Ärzte ohne Grenzen", "spenden@example.org",
     "Ärzte ohne Grenzen_"},
    // A comma inside an encoded word, and inside a quoted string with raw UTF-8.
    {"=?UTF-8?B?TcO8bGxlciwgSGFucw==?= <hans@example.org>", "Müller, Hans", "hans@example.org", "Müller, Hans_"},
    {"\"Müller, Hans\" <h.mueller@example.com>", "Müller, Hans", "h.mueller@example.com", "Müller, Hans_"},
    // Dots in display names, quoted and (obsolete phrase) unquoted.
    {"Dr. Anna Schmidt <a.schmidt@praxis.example>", "Dr. Anna Schmidt", "a.schmidt@praxis.example",
     "Dr_ Anna Schmidt_"},
    {"\"Meier, Dr. Anna\" <anna.meier@klinik.example>", "Meier, Dr. Anna", "anna.meier@klinik.example",
     "Meier, Dr_ Anna_"},
    {"\"ACME Corp.\" <newsletter@acme.example>", "ACME Corp.", "newsletter@acme.example", "ACME Corp__"},
    {"\"K. Berger (Buchhaltung)\" <k.berger@example.de>", "K. Berger (Buchhaltung)", "k.berger@example.de",
     "K_ Berger (Buchhaltung)_"},
    {"Team Support <support@example.com>", "Team Support", "support@example.com", "Team Support_"},
    // Address only.
    {"info.service@shop.example", "", "info.service@shop.example", "info_service_at_shop_example_"},
    {"<noreply@bank.example>", "", "noreply@bank.example", "noreply_at_bank_example_"},
    // A group: the first member counts.
    {"Vertrieb: Petra Schulz <p.schulz@example.com>, Tom Berg <tom@example.com>;", "Petra Schulz",
     "p.schulz@example.com", "Petra Schulz_"},
    // A group without members: no mailbox, no sender.
    {"Undisclosed recipients:;", "", "", ""},
};

// Subjects. Text is the decoded subject; "#" in both stands for a number the generator picks.
struct TSubject {
  const char* Header;
  const char* Text;
};

const TSubject Subjects[] = {
    {"Re: Angebot Nr. #", "Re: Angebot Nr. #"},
    {"AW: Rechnung #/2014", "AW: Rechnung #/2014"},
    {"WG: Protokoll der Sitzung #", "WG: Protokoll der Sitzung #"},
    {"Übersicht Q# – Entwurf", "Übersicht Q# – Entwurf"},  // raw UTF-8
    {"älteres Angebot #", "älteres Angebot #"},
    {"newsletter KW #", "newsletter KW #"},
    {"ZUSAMMENFASSUNG Projekt Alpha #", "ZUSAMMENFASSUNG Projekt Alpha #"},
    {"Bestellung #", "Bestellung #"},
    {"=?UTF-8?B?QW5nZWJvdCBmw7xyIELDvHJvbcO2YmVs?= #", "Angebot für Büromöbel #"},
    {"=?ISO-8859-15?Q?Rechnung_M=E4rz?= Nr. #", "Rechnung März Nr. #"},
    {"=?ISO-8859-15?B?3GJlcndlaXN1bmc=?= #", "Überweisung #"},
    {"=?KOI8-R?B?89fPxMvBINrBIM7FxMXMwA==?= #", "Сводка за неделю #"},
    {"=?ISO-2022-JP?B?GyRCMnE1RCRON28bKEI=?= #", "会議の件 #"},
    {"=?Shift_JIS?B?jKmQz4+RgsyRl5V0?= #", "見積書の送付 #"},
    {"=?windows-1252?Q?Caf=E9_=93Zur_Post=94?= #", "Café “Zur Post” #"},
    // Two adjacent B words, folded.
    {"=?UTF-8?B?RWlubGFkdW5nIHp1bSBTb21tZXI=?=\n =?UTF-8?B?ZmVzdCDigJMgYml0dGUgenVzYWdlbg==?= #",
     "Einladung zum Sommerfest – bitte zusagen #"},
    {"Re: =?ISO-8859-1?Q?Gr=FC=DFe_aus_K=F6ln?= (#)", "Re: Grüße aus Köln (#)"},
};

const char* const DayNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char* const MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Zones as clients write them. Minutes is the offset the text means; RFC 5322 section 4.3
// reads names other than the RFC 822 ones as +0000, so Read is the offset a reader applies.
struct TZone {
  const char* Text;
  int Minutes;
  int Read;
};

// clang-format off
const TZone Zones[] = {
    {"+0100", 60, 60},          {"+0200", 120, 120},
    {"+0100 (CET)", 60, 60},    {"+0200 (CEST)", 120, 120},
    {"-0500", -300, -300},      {"-0700 (PDT)", -420, -420},
    {"+0530", 330, 330},        {"+0900", 540, 540},
    {"-0000", 0, 0},            {"+0000 (UTC)", 0, 0},
    {"GMT", 0, 0},              {"UT", 0, 0},
    {"EST", -300, -300},        {"EDT", -240, -240},
    {"PST", -480, -480},
    {"CEST", 120, 0},           {"MEZ", 60, 0},  // not RFC 822 names: read as +0000
};
// clang-format on

const char* const Words[] = {
    "Sehr",        "geehrte", "Damen",   "und",       "Herren,",   "anbei",        "erhalten",  "Sie",
    "das",         "Angebot", "für",     "die",       "Lieferung", "der",          "Büromöbel", "wie",
    "besprochen.", "Bitte",   "prüfen",  "Sie",       "die",       "Positionen",   "und",       "geben",
    "uns",         "bis",     "Freitag", "Bescheid.", "Mit",       "freundlichen", "Grüßen",    "aus",
    "Köln",        "Straße",  "Größe",   "Menge",     "Preis",     "netto",        "zuzüglich", "Mehrwertsteuer.",
};

const char* const Hosts[] = {"mail.example.de",  "smtp.firma.example", "mx01.provider.example",
                             "mout.gmx.example", "relay.bank.example", "outbound.shop.example"};

QByteArray Two(int AValue) { return QByteArray::number(AValue).rightJustified(2, '0'); }

// "Tue, 03 Feb 2015 09:15:00" style pieces of a wall-clock time.
QByteArray ClockText(const QDateTime& AWall, bool ASeconds) {
  const QTime t = AWall.time();
  QByteArray out = Two(t.hour()) + ':' + Two(t.minute());
  if (ASeconds) out += ':' + Two(t.second());
  return out;
}

QByteArray NumericZone(int AMinutes) {
  const int a = AMinutes < 0 ? -AMinutes : AMinutes;
  return QByteArray(AMinutes < 0 ? "-" : "+") + Two(a / 60) + Two(a % 60);
}

// A Received date: always the plain RFC 5322 form with a numeric zone.
QByteArray PlainDate(const QDateTime& AInstant, int AMinutes) {
  const QDateTime wall = AInstant.toUTC().addSecs(AMinutes * 60);
  const QDate d = wall.date();
  return QByteArray(DayNames[d.dayOfWeek() - 1]) + ", " + QByteArray::number(d.day()) + ' ' +
         MonthNames[d.month() - 1] + ' ' + QByteArray::number(d.year()) + ' ' + ClockText(wall, true) + ' ' +
         NumericZone(AMinutes);
}

// Characters Windows does not allow in file names, as exporters replace them.
QString ExportedName(const QString& ASubject) {
  QString name;
  for (QChar c : ASubject) {
    if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 32)
      name += QLatin1Char('_');
    else
      name += c;
  }
  name = name.trimmed();
  while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);  // never a hidden file
  if (name.size() > 100) name.truncate(100);
  if (name.isEmpty()) name = QStringLiteral("Nachricht");
  return name;
}

}  // namespace

TEmlGenerator::TEmlGenerator(const TEmlOptions& AOptions)
    : FOptions(AOptions),
      FRandom(AOptions.Seed),
      FExportTime(QDateTime(QDate(2025, 3, 14), QTime(16, 20), Qt::UTC).addSecs(AOptions.Seed % 86400)) {}

int TEmlGenerator::Int(int ALow, int AHigh) { return ALow + static_cast<int>(FRandom.bounded(AHigh - ALow + 1)); }

bool TEmlGenerator::Chance(int APercent) { return Int(0, 99) < APercent; }

QByteArray TEmlGenerator::Hex(int ADigits) {
  static const char digits[] = "0123456789ABCDEF";
  QByteArray out(ADigits, '0');
  for (char& c : out) c = digits[Int(0, 15)];
  return out;
}

QByteArray TEmlGenerator::DateHeader(TGeneratedMail& AMail, const QDateTime& AInstant) {
  const TZone& zone = Zones[Int(0, std::size(Zones) - 1)];
  const QDateTime wall = AInstant.addSecs(zone.Minutes * 60);
  const QDate d = wall.date();
  const int form = Int(0, 5);
  const bool seconds = form != 4;
  // The seconds a reader gets: none written means :00.
  const QDateTime shown = seconds ? wall : wall.addSecs(-wall.time().second());
  QByteArray day = QByteArray::number(d.day());
  QByteArray year = QByteArray::number(d.year());
  QByteArray text;
  switch (form) {
    case 0:  // Outlook: "Tue, 03 Feb 2015 09:15:00 +0100"
      text = QByteArray(DayNames[d.dayOfWeek() - 1]) + ", " + Two(d.day());
      break;
    case 1:  // no day name: "3 Feb 2015 09:15:00 +0100"
      text = day;
      break;
    case 2:  // two-digit year: "Tue, 3 Feb 15 09:15:00 +0100"
      text = QByteArray(DayNames[d.dayOfWeek() - 1]) + ", " + day;
      year = Two(d.year() % 100);
      break;
    case 3:  // a day padded with a blank: "Tue,  3 Feb 2015 09:15:00 +0100"
      text = QByteArray(DayNames[d.dayOfWeek() - 1]) + ", " + (d.day() < 10 ? " " + day : day);
      break;
    default:  // "Tue, 3 Feb 2015 09:15 +0100" and the usual form
      text = QByteArray(DayNames[d.dayOfWeek() - 1]) + ", " + day;
      break;
  }
  text += ' ' + QByteArray(MonthNames[d.month() - 1]) + ' ' + year + ' ' + ClockText(wall, seconds) + ' ' + zone.Text;
  AMail.DateText = text;
  AMail.Date = QDateTime(shown.date(), shown.time(), Qt::UTC).addSecs(-zone.Read * 60);
  return text;
}

QByteArray TEmlGenerator::ReceivedChain(const QDateTime& AInstant, const QByteArray& AEol) {
  QByteArray chain;
  const int hops = Int(2, 5);
  // The last hop is written first; its time is the latest.
  for (int hop = hops - 1; hop >= 0; --hop) {
    const QDateTime at = AInstant.addSecs(hop * Int(1, 40) + Int(0, 3));
    const QByteArray from = Hosts[Int(0, std::size(Hosts) - 1)];
    const QByteArray by = Hosts[Int(0, std::size(Hosts) - 1)];
    const QByteArray ip = "192.0.2." + QByteArray::number(Int(1, 254));
    chain += "Received: from " + from + " (" + from + " [" + ip + "])" + AEol + "\tby " + by +
             (Chance(50) ? " (Postfix) with ESMTPS id " + Hex(10)
                         : " with Microsoft SMTP Server id 15.1." + QByteArray::number(Int(100, 2500))) +
             AEol + "\tfor <k.berger@empfang.example>; " + PlainDate(at, Chance(50) ? 60 : 0) +
             (Chance(50) ? " (CET)" : "") + AEol;
  }
  return chain;
}

QByteArray TEmlGenerator::Text(qsizetype ABytes, const QByteArray& AEol, bool AHtml) {
  // The first 16 KiB are fresh random words; beyond that the text repeats its own lines, so
  // that bodies of megabytes cost no more than copying.
  constexpr qsizetype FreshBytes = 16 * 1024;
  QByteArray out;
  out.reserve(ABytes + 200);
  if (AHtml) out += "<html><head><meta charset=\"utf-8\"></head><body>" + AEol + "<p>";
  const qsizetype textStart = out.size();
  qsizetype lineStart = out.size();
  while (out.size() < std::min(ABytes, textStart + FreshBytes)) {
    out += Words[Int(0, std::size(Words) - 1)];
    if (out.size() - lineStart > 72) {
      if (AHtml && Chance(20)) out += "</p>" + AEol + "<p>";
      out += AEol;
      lineStart = out.size();
    } else {
      out += ' ';
    }
  }
  if (lineStart != out.size()) {
    out += AEol;
    lineStart = out.size();
  }
  const QByteArray fresh = out.mid(textStart);
  while (out.size() < ABytes) {
    qsizetype take = std::min(fresh.size(), ABytes - out.size());
    if (take < fresh.size()) {  // whole lines only
      const qsizetype end = fresh.lastIndexOf(AEol, take - AEol.size());
      if (end < 0) break;
      take = end + AEol.size();
    }
    out.append(fresh.constData(), take);
  }
  if (AHtml) out += "</p></body></html>" + AEol;
  return out;
}

QByteArray TEmlGenerator::Base64Lines(qsizetype ARawBytes, const QByteArray& AEol) {
  QList<quint32> words((ARawBytes + 3) / 4);
  FRandom.fillRange(words.data(), words.size());
  QByteArray raw(reinterpret_cast<const char*>(words.constData()), ARawBytes);
  const QByteArray pdf = "%PDF-1.4\n";
  raw.replace(0, std::min(pdf.size(), raw.size()), pdf.left(raw.size()));
  const QByteArray encoded = raw.toBase64();
  QByteArray out;
  out.reserve(encoded.size() + encoded.size() / 76 * AEol.size() + 4);
  for (qsizetype i = 0; i < encoded.size(); i += 76) {
    out.append(encoded.constData() + i, std::min<qsizetype>(76, encoded.size() - i));
    out += AEol;
  }
  return out;
}

QString TEmlGenerator::UniqueFileName(const QString& ASubject, const QString& ASenderPart) {
  const QString base = ExportedName(ASubject);
  QString name = base + QStringLiteral(".eml");
  // Unique also where case does not count, and never holding the mail's own sender part (which
  // a renaming would take out of the name).
  for (int k = 2; FNames.contains(name.toLower()) || (!ASenderPart.isEmpty() && name.contains(ASenderPart)); ++k)
    name = base + QStringLiteral(" (%1).eml").arg(k);
  FNames.insert(name.toLower());
  return name;
}

TGeneratedMail TEmlGenerator::Next(QByteArray& AContent) {
  TGeneratedMail mail;
  const int index = FIndex++;
  mail.CrLf = FOptions.LineEnding == TLineEnding::CrLf || (FOptions.LineEnding == TLineEnding::Mixed && Chance(70));
  const QByteArray eol = mail.CrLf ? "\r\n" : "\n";
  const auto fold = [&](const char* AText) {  // table texts fold with "\n "
    QByteArray text(AText);
    if (mail.CrLf) text.replace("\n", "\r\n");
    return text;
  };

  // The mail's instant: 1998 to 2024, to the second.
  const QDateTime first(QDate(1998, 1, 1), QTime(0, 0), Qt::UTC);
  const QDateTime instant = first.addSecs(static_cast<qint64>(FRandom.bounded(27u * 365u * 86400u)));

  // A few mails without From or without Date, at fixed places so that even a small folder has
  // them: one in 25 has no Date, one in 30 no From.
  const bool hasDate = index % 25 != 7;
  const bool hasFrom = index % 30 != 13;
  const TSender& sender = Senders[Int(0, std::size(Senders) - 1)];
  if (hasFrom) {
    mail.SenderName = QString::fromUtf8(sender.Name);
    mail.SenderAddress = QString::fromUtf8(sender.Address);
    mail.SenderPart = QString::fromUtf8(sender.Part);
  }
  const TSubject& subject = Subjects[Int(0, std::size(Subjects) - 1)];
  const QByteArray number = QByteArray::number(Int(1, 9999));
  QByteArray subjectHeader = fold(subject.Header).replace('#', number);
  mail.Subject = QString::fromUtf8(QByteArray(subject.Text).replace('#', number));
  mail.FileName = UniqueFileName(mail.Subject, mail.SenderPart);

  QByteArray dateText;
  if (hasDate) dateText = DateHeader(mail, instant);

  const QByteArray host = Hosts[Int(0, std::size(Hosts) - 1)];
  const QByteArray messageId = "<" + Hex(8) + "." + Hex(6) + "." + QByteArray::number(index) + "@" + host + ">";
  const QByteArray to = Chance(50) ? "Katrin Berger <k.berger@empfang.example>" : "k.berger@empfang.example";

  // The body and its content type.
  const qsizetype bodyBytes = std::max(256, FOptions.BodyKb * 1024);
  const int shape = Int(0, 9);  // 0-4: text, html and an attachment; 5-7: text and html; 8-9: text
  const QByteArray boundary =
      Chance(50) ? "----=_NextPart_000_" + Hex(4) + "_" + Hex(8) + "." + Hex(8) : "------------" + Hex(24);
  const QByteArray inner = "----=_Alt_" + Hex(16);
  QByteArray contentType;
  // The body in pieces: the big ones are copied once, into AContent at the end.
  QByteArrayList body;
  const auto textParts = [&](qsizetype ABytes) {
    const qsizetype plain = std::max<qsizetype>(ABytes * 2 / 5, 128);
    body << "--" + inner + eol + "Content-Type: text/plain; charset=\"utf-8\"" + eol +
                "Content-Transfer-Encoding: 8bit" + eol + eol
         << Text(plain, eol, false) << eol;
    body << "--" + inner + eol + "Content-Type: text/html; charset=\"utf-8\"" + eol +
                "Content-Transfer-Encoding: 8bit" + eol + eol
         << Text(std::max<qsizetype>(ABytes - plain, 128), eol, true) << eol;
    body << "--" + inner + "--" + eol;
  };
  if (shape <= 4) {
    const qsizetype raw = FOptions.AttachmentKb >= 0 ? qsizetype(FOptions.AttachmentKb) * 1024 : bodyBytes / 3;
    const QByteArray attachment = Base64Lines(raw, eol);
    const QByteArray fileName = "Anlage_" + number + ".pdf";
    contentType = "multipart/mixed;" + eol + "\tboundary=\"" + boundary + "\"";
    body << "This is a multi-part message in MIME format." + eol + eol + "--" + boundary + eol +
                "Content-Type: multipart/alternative;" + eol + "\tboundary=\"" + inner + "\"" + eol + eol;
    textParts(std::max<qsizetype>(bodyBytes - attachment.size(), 256));
    body << eol + "--" + boundary + eol + "Content-Type: application/pdf; name=\"" + fileName + "\"" + eol +
                "Content-Transfer-Encoding: base64" + eol + "Content-Disposition: attachment; filename=\"" + fileName +
                "\"" + eol + eol
         << attachment << eol + "--" + boundary + "--" + eol;
  } else if (shape <= 7) {
    contentType = "multipart/alternative;" + eol + "\tboundary=\"" + inner + "\"";
    body << "This is a multi-part message in MIME format." + eol + eol;
    textParts(bodyBytes);
  } else {
    contentType = "text/plain; charset=\"utf-8\"; format=flowed";
    body << Text(bodyBytes, eol, false);
  }

  // The header block, in the order of one of three kinds of client.
  QByteArray header;
  if (Chance(80))
    header +=
        "Return-Path: <" + QByteArray(hasFrom && *sender.Address ? sender.Address : "bounce@example.net") + ">" + eol;
  header += ReceivedChain(instant, eol);
  if (Chance(40))
    header += "DKIM-Signature: v=1; a=rsa-sha256; c=relaxed/relaxed; d=" + host + "; s=mail;" + eol +
              "\th=from:to:subject:date:message-id:mime-version:content-type;" + eol + "\tbh=" + Hex(43) + "=;" + eol +
              "\tb=" + Hex(70) + eol + "\t " + Hex(70) + eol + "\t " + Hex(60) + "==" + eol;
  const QByteArray fromLine = hasFrom ? "From: " + fold(sender.Header) + eol : QByteArray();
  const QByteArray dateLine = hasDate ? "Date: " + dateText + eol : QByteArray();
  const QByteArray subjectLine = "Subject: " + subjectHeader + eol;
  const QByteArray mime = "MIME-Version: 1.0" + eol + "Content-Type: " + contentType + eol;
  const bool reply = mail.Subject.startsWith(QStringLiteral("Re: ")) || mail.Subject.startsWith(QStringLiteral("AW: "));
  const QByteArray references = reply ? "In-Reply-To: <" + Hex(12) + "@" + host + ">" + eol + "References: <" +
                                            Hex(12) + "@" + host + ">" + eol + " <" + Hex(12) + "@" + host + ">" + eol
                                      : QByteArray();
  switch (Int(0, 2)) {
    case 0:  // Outlook
      header += fromLine + "To: " + to + eol + subjectLine + "Thread-Topic: " + subjectHeader + eol +
                "Thread-Index: AQHQ" + Hex(20) + "==" + eol + dateLine + "Message-ID: " + messageId + eol + references +
                "Accept-Language: de-DE, en-US" + eol + "Content-Language: de-DE" + eol +
                "X-MS-Has-Attach: " + (shape <= 4 ? "yes" : "") + eol + mime;
      break;
    case 1:  // Thunderbird
      header += "Message-ID: " + messageId + eol + dateLine + mime.left(mime.indexOf("Content-Type")) +
                "User-Agent: Mozilla/5.0 (X11; Linux x86_64; rv:102.0) Gecko/20100101" + eol + " Thunderbird/102.15.1" +
                eol + "Content-Language: de-DE" + eol + "To: " + to + eol + references + fromLine + subjectLine +
                mime.mid(mime.indexOf("Content-Type"));
      break;
    default:  // a web mailer
      header += dateLine + fromLine + "To: " + to + eol + "Cc: \"Schulz, Petra\" <p.schulz@example.com>," + eol +
                " Tom Berg <tom@example.com>" + eol + "Message-ID: " + messageId + eol + subjectLine + references +
                mime + "X-Mailer: Webmail 7.4" + eol + "X-Priority: 3" + eol;
      break;
  }
  header += eol;  // the empty line that ends the header block

  qsizetype size = header.size();
  for (const QByteArray& piece : body) size += piece.size();
  AContent.clear();
  AContent.reserve(size);
  AContent += header;
  for (const QByteArray& piece : body) AContent += piece;
  mail.Size = AContent.size();
  // The export: a few seconds apart, years after every mail's date.
  mail.FileTime = FExportTime.addSecs(static_cast<qint64>(index) * 3 + Int(0, 2));
  return mail;
}

QList<TGeneratedMail> TEmlGenerator::WriteFolder(const QString& AFolder) {
  if (!QDir().mkpath(AFolder)) throw std::runtime_error("cannot create folder " + AFolder.toStdString());
  QList<TGeneratedMail> mails;
  mails.reserve(FOptions.Count);
  QByteArray content;
  for (int i = 0; i < FOptions.Count; ++i) {
    TGeneratedMail mail = Next(content);
    QFile file(QDir(AFolder).filePath(mail.FileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size() ||
        !file.flush() || !file.setFileTime(mail.FileTime, QFileDevice::FileModificationTime))
      throw std::runtime_error("cannot write " + file.fileName().toStdString() + ": " +
                               file.errorString().toStdString());
    file.close();
    mails.append(std::move(mail));
  }
  return mails;
}

}  // namespace kavio::tools
