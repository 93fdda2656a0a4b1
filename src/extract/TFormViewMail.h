#pragma once
// The mail header extraction service: turns one mail file into a normalised message stream, an
// RFC 5322 message (at least its header block) in memory, from which the scan and the apply run
// read date, sender and subject with one parser.
//
// Every reader takes a file name (a full path, or relative to the current folder) and the
// caller's stream; it answers true when the stream now holds a normalised message, and false on
// any failure. Readers never show anything and never throw.

#include "extract/Reporter.h"
#include "platform/Automation.h"

#include <QByteArray>
#include <QString>

namespace kavio::extract {

// The program id of Outlook's automation server.
inline const QString OutlookProgId = QStringLiteral("Outlook.Application");

// The most of an ".eml" file that is read: the header block ends well before.
inline constexpr qsizetype MaxHeaderBlockBytes = 1024 * 1024;

class TFormViewMail {
 public:
  explicit TFormViewMail(IReporter* AReporter = nullptr) : FReporter(AReporter) {}

  void SetReporter(IReporter* AReporter) { FReporter = AReporter; }

  // ".eml": the file's header block as it stands (the bytes up to and including the first empty
  // line, at most MaxHeaderBlockBytes), not the body: the parse needs no more, and so the cost of
  // a scan does not grow with the size of the mails. A 0-byte file gives true and an empty stream.
  bool GetEmlData(const QString& AFileName, QByteArray& AStream);

  // Outlook: connects to a running Outlook, else starts one. On failure shows the error
  // "Es konnte keine Verbindung zu Outlook hergestellt werden-" and returns false; an earlier
  // connection is kept then.
  bool ConnectOutLook();
  // Keeps the connection: it lasts until the service is destroyed.
  void DisConnectOutlook();
  // ".msg" through Outlook: subject, sender and time of receipt of the item Outlook makes from
  // the file, as a generated header block. False before any connection.
  bool GetMsgData_OutLook(const QString& AFileName, QByteArray& AStream);

  // ".msg" read directly (no outside program): subject, sender and date of the message as a
  // generated header block. The sender is written plainly: the display name alone as the name,
  // and as the address the SMTP address where the stored one is an Exchange (X.500) name. A
  // message without a time has no Date header. False when the file cannot be read or is no
  // compound file; AStream is then unchanged.
  bool GetMsgData_OxMsg(const QString& AFileName, QByteArray& AStream);

  bool IsOutlookConnected() const { return static_cast<bool>(Outlook_OV); }

 private:
  IReporter* FReporter;
  platform::TAutomationRef Outlook_OV;
};

}  // namespace kavio::extract
