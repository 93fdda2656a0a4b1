#pragma once
// The preview scan: for every mail file of a folder the current name and time beside the name
// and time the file will get. The scan only reads.

#include "extract/Reporter.h"
#include "extract/TFormViewMail.h"
#include "platform/MimeHeader.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

namespace kavio::rename {

enum class TMailKind { Eml, MsgDirect, MsgOutlook };

// The mask of the name pane for a mail kind: "*.eml" or "*.msg".
QString MaskOfKind(TMailKind AKind);

struct TScanOptions {
  TMailKind Kind = TMailKind::Eml;
  bool UsePreStrg = false;   // "Jahr, Monat und Tag dem Dateinamen voranstellen"
  bool UseFromStrg = false;  // "den Absender dem Dateinamen voranstellen"
};

enum class TRowState {
  Read,        // the mail was read
  Unreadable,  // the reader failed: the name stays, the new time is empty
  Vanished,    // the file was gone when its turn came: all cells but the name are empty
};

// One row of the four panes, and what the apply run needs of it.
struct TPreviewRow {
  QString OldName;      // name pane
  QString OldTimeText;  // current-time pane
  QString NewName;      // new-name pane
  QString NewTimeText;  // new-time pane; empty when the mail has no date
  QDateTime OldTime;    // the file's last-write time (instant)
  QDateTime MailDate;   // the mail's instant, what the apply run writes; invalid: no date
  QString PreStrg;
  QString FromStrg;
  TRowState State = TRowState::Vanished;
};

struct TScanResult {
  QList<TPreviewRow> Rows;
  bool OutlookMissing = false;  // the Outlook route found no Outlook: the scan ended early
  int UnreadableCount = 0;
  int VanishedCount = 0;
};

// The warning for a file the reader could not read.
QString UnreadableWarning(const QString& AFileName);
// The warning when the Outlook route has no Outlook.
extern const QString OutlookMissingWarning;

class TPreviewScan {
 public:
  using TRowHandler = std::function<void(const TPreviewRow&)>;

  TPreviewScan(extract::TFormViewMail& AViewMail, extract::IReporter& AReporter, QLocale ALocale = QLocale());

  // Lists AFolder with the mask of the kind, then scans the files.
  TScanResult ReadFiles(const QString& AFolder, const TScanOptions& AOptions, const TRowHandler& AOnRow = {});

  // Scans the given file names of AFolder, in order: one row each. AOnRow, when set, is called
  // as each row is complete; warnings go to the reporter at the moment they occur.
  TScanResult ScanFiles(const QString& AFolder, const QStringList& ANames, const TScanOptions& AOptions,
                        const TRowHandler& AOnRow = {});

  // Reads one mail with the reader of the kind into IdMessage1; false when the reader failed.
  bool ReadMail(const QString& APath, TMailKind AKind);

  // The header of the last mail read.
  const platform::TIdMessage& IdMessage1() const { return FIdMessage1; }

 private:
  TPreviewRow ScanFile(const QString& AFolder, const QString& AName, const TScanOptions& AOptions);

  extract::TFormViewMail& FViewMail;
  extract::IReporter& FReporter;
  QLocale FLocale;
  platform::TIdMessage FIdMessage1;
  QByteArray FStream;  // reused between files: no allocation per file
};

}  // namespace kavio::rename
