#pragma once
// The file-name scheme: the new name of a mail file from its old name, the mail's date and its
// sender. What it adds it also takes away again: a name that already carries the date prefix or
// the sender part of its own mail has them removed before they are put in front again, so the
// scheme applied twice changes nothing, and switching an option off strips that part.

#include "platform/MimeHeader.h"

#include <QDate>
#include <QString>

namespace kavio::rename {

// "yyyymmdd_" of the mail's local date; empty for a mail without a date (no prefix is added
// and none is removed).
QString CreatePreString(const QDate& ALocalDate);

// The sender part: the display name, else the address, with every "@" made "_at_" and every
// "." made "_", then "_". Empty for a mail without any sender (nothing is added or removed).
QString CreateAbsenderString(const platform::TMailAddress& AFrom);

// Removes every occurrence of APreStrg, then of AFromStrg (exact case, left to right, without
// searching again what a removal joins), then puts APreStrg and AFromStrg in front as the
// options say.
QString CreateNewFileName(const QString& AOldFileName, const QString& APreStrg, bool AUsePreStrg,
                          const QString& AFromStrg, bool AUseFromStrg);

}  // namespace kavio::rename
