#include "rename/PreviewScan.h"

#include "platform/DateTime.h"
#include "platform/FileTimes.h"
#include "rename/FileNameScheme.h"
#include "rename/FolderListing.h"

namespace kavio::rename {

const QString OutlookMissingWarning = QStringLiteral(
    "Outlook wurde nicht gefunden. \r\nDie Dateien können mit dieser Option ohne Outlook nicht gelesen "
    "werden.\r\nDie Bearbeitung wird abgebrochen.");

QString UnreadableWarning(const QString& AFileName) {
  return QStringLiteral("Die Daten der Datei ") + AFileName + QStringLiteral(" konnten nicht richtig gelesen werden.");
}

QString MaskOfKind(TMailKind AKind) {
  return AKind == TMailKind::Eml ? QStringLiteral("*.eml") : QStringLiteral("*.msg");
}

TPreviewScan::TPreviewScan(extract::TFormViewMail& AViewMail, extract::IReporter& AReporter, QLocale ALocale)
    : FViewMail(AViewMail), FReporter(AReporter), FLocale(std::move(ALocale)) {}

TScanResult TPreviewScan::ReadFiles(const QString& AFolder, const TScanOptions& AOptions, const TRowHandler& AOnRow) {
  return ScanFiles(AFolder, ListMailFiles(AFolder, MaskOfKind(AOptions.Kind), FLocale), AOptions, AOnRow);
}

bool TPreviewScan::ReadMail(const QString& APath, TMailKind AKind) {
  bool ok = false;
  switch (AKind) {
    case TMailKind::Eml:
      ok = FViewMail.GetEmlData(APath, FStream);
      break;
    case TMailKind::MsgOutlook:
      ok = FViewMail.GetMsgData_OutLook(APath, FStream);
      break;
    case TMailKind::MsgDirect:
      ok = FViewMail.GetMsgData_OxMsg(APath, FStream);
      break;
  }
  if (ok) FIdMessage1.LoadHeaders(FStream);
  FStream.clear();
  return ok;
}

TPreviewRow TPreviewScan::ScanFile(const QString& AFolder, const QString& AName, const TScanOptions& AOptions) {
  TPreviewRow row;
  row.OldName = AName;
  const QString path = AFolder.endsWith(QLatin1Char('/')) ? AFolder + AName : AFolder + QLatin1Char('/') + AName;
  row.OldTime = platform::LastWriteTime(path);
  if (!row.OldTime.isValid()) return row;  // vanished since the listing
  row.OldTimeText = platform::InstantText(row.OldTime, FLocale);

  if (ReadMail(path, AOptions.Kind)) {
    row.State = TRowState::Read;
    row.MailDate = FIdMessage1.Date();
    if (row.MailDate.isValid()) row.PreStrg = CreatePreString(row.MailDate.toLocalTime().date());
    row.FromStrg = CreateAbsenderString(FIdMessage1.From());
    row.NewTimeText = platform::InstantText(row.MailDate, FLocale);
  } else {
    row.State = TRowState::Unreadable;
    FReporter.Warning(UnreadableWarning(AName));
  }
  row.NewName = CreateNewFileName(AName, row.PreStrg, AOptions.UsePreStrg, row.FromStrg, AOptions.UseFromStrg);
  return row;
}

TScanResult TPreviewScan::ScanFiles(const QString& AFolder, const QStringList& ANames, const TScanOptions& AOptions,
                                    const TRowHandler& AOnRow) {
  TScanResult result;
  if (AOptions.Kind == TMailKind::MsgOutlook && !FViewMail.ConnectOutLook()) {
    FReporter.Warning(OutlookMissingWarning);
    result.OutlookMissing = true;
    return result;
  }
  result.Rows.reserve(ANames.size());
  for (const QString& name : ANames) {
    TPreviewRow row = ScanFile(AFolder, name, AOptions);
    if (row.State == TRowState::Unreadable) ++result.UnreadableCount;
    if (row.State == TRowState::Vanished) ++result.VanishedCount;
    if (AOnRow) AOnRow(row);
    result.Rows.append(std::move(row));
  }
  if (AOptions.Kind == TMailKind::MsgOutlook) FViewMail.DisConnectOutlook();
  return result;
}

}  // namespace kavio::rename
