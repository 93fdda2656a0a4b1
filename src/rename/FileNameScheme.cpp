#include "rename/FileNameScheme.h"

namespace kavio::rename {

QString CreatePreString(const QDate& ALocalDate) {
  if (!ALocalDate.isValid()) return {};
  return QStringLiteral("%1%2%3_")
      .arg(ALocalDate.year(), 4, 10, QLatin1Char('0'))
      .arg(ALocalDate.month(), 2, 10, QLatin1Char('0'))
      .arg(ALocalDate.day(), 2, 10, QLatin1Char('0'));
}

QString CreateAbsenderString(const platform::TMailAddress& AFrom) {
  QString sender = AFrom.Name.isEmpty() ? AFrom.Address : AFrom.Name;
  if (sender.isEmpty()) return {};
  sender.replace(QLatin1Char('@'), QLatin1String("_at_"));
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  return sender + QLatin1Char('_');
}

QString CreateNewFileName(const QString& AOldFileName, const QString& APreStrg, bool AUsePreStrg,
                          const QString& AFromStrg, bool AUseFromStrg) {
  // QString::remove works left to right, goes on after each occurrence and does not search
  // again what a removal joins; an empty text removes nothing.
  QString rest = AOldFileName;
  if (!APreStrg.isEmpty()) rest.remove(APreStrg, Qt::CaseSensitive);
  if (!AFromStrg.isEmpty()) rest.remove(AFromStrg, Qt::CaseSensitive);
  QString result;
  if (AUsePreStrg) result += APreStrg;
  if (AUseFromStrg) result += AFromStrg;
  return result + rest;
}

}  // namespace kavio::rename
