#pragma once
// A generator of realistic ".eml" files, as mail clients export them: folded Received chains,
// DKIM signatures, Message-IDs, MIME multipart bodies with text/plain, text/html and base64
// attachments; From and Subject with RFC 2047 encoded words in several charsets, display names
// with commas and dots, bare addresses and groups; the date forms clients really write. A few
// mails have no Date or no From. The same seed gives the same files, byte for byte.
//
// For every mail the generator also tells what it wrote, as a reader of RFC 5322 and RFC 2047
// must read it back: the decoded sender and subject and the instant of the Date header. These
// are the generator's own values (taken from its tables, not from any parser), for tests that
// check a reader against them.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QRandomGenerator>
#include <QSet>
#include <QString>

namespace kavio::tools {

enum class TLineEnding { CrLf, Lf, Mixed };

struct TEmlOptions {
  int Count = 24;
  // The size of each mail's body (everything after the header block), in KiB, roughly.
  int BodyKb = 4;
  // The size of an attachment before base64, in KiB; -1: about a third of the body. Mails with
  // an attachment are then larger than BodyKb by what the attachment exceeds its share.
  int AttachmentKb = -1;
  quint32 Seed = 1;
  // Mixed: each mail gets CRLF or LF.
  TLineEnding LineEnding = TLineEnding::CrLf;
};

// What one generated mail holds.
struct TGeneratedMail {
  QString FileName;       // unique within one generator; "Re_ Angebot Nr. 17.eml"
  QString SenderName;     // decoded display name of the first mailbox of From; may be empty
  QString SenderAddress;  // its address; name and address empty: no From, or no mailbox in it
  // The sender in front of a new file name: the display name, else the address, with "@" as
  // "_at_" and "." as "_", then "_"; empty when the mail has no sender. Written down per entry
  // of the generator's table.
  QString SenderPart;
  QString Subject;      // decoded Subject
  QByteArray DateText;  // the Date header's value as written; empty: no Date header
  // The instant of the Date header; invalid without one. A zone name RFC 5322 does not know
  // ("CEST", "MEZ") counts as +0000, as RFC 5322 section 4.3 says it should.
  QDateTime Date;
  QDateTime FileTime;  // the last-write time the file gets: the export, never the mail's date
  bool CrLf = true;
  qint64 Size = 0;
};

class TEmlGenerator {
 public:
  explicit TEmlGenerator(const TEmlOptions& AOptions);

  // The next mail: its bytes into AContent, and what it holds.
  TGeneratedMail Next(QByteArray& AContent);

  // Writes Count mails into AFolder (created when missing) and gives each its file time.
  // Throws std::runtime_error when a file cannot be written.
  QList<TGeneratedMail> WriteFolder(const QString& AFolder);

 private:
  int Int(int ALow, int AHigh);  // both included
  bool Chance(int APercent);
  QByteArray Hex(int ADigits);
  QByteArray DateHeader(TGeneratedMail& AMail, const QDateTime& AInstant);
  QByteArray ReceivedChain(const QDateTime& AInstant, const QByteArray& AEol);
  QByteArray Text(qsizetype ABytes, const QByteArray& AEol, bool AHtml);
  QByteArray Base64Lines(qsizetype ARawBytes, const QByteArray& AEol);
  QString UniqueFileName(const QString& ASubject, const QString& ASenderPart);

  TEmlOptions FOptions;
  QRandomGenerator FRandom;
  QSet<QString> FNames;  // lower case: names must differ also where case does not count
  QDateTime FExportTime;
  int FIndex = 0;
};

}  // namespace kavio::tools
