#pragma once
// Listing the mail files of a folder, as the name pane shows them.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace kavio::rename {

// Whether a file name matches a mask: "*" and "?" wildcards, several patterns separated by
// ";", matched without regard to case ("*.eml" takes "A.EML").
bool MatchesMask(const QString& AFileName, const QString& AMask);

// The names (without folder) of the plain regular files of AFolder that match AMask. Folders,
// symbolic links, other special files and hidden files (names starting with ".") are left out.
// Sorted without regard to case by the locale's collation. An unreadable or missing folder
// gives an empty list.
QStringList ListMailFiles(const QString& AFolder, const QString& AMask, const QLocale& ALocale = QLocale());

// Sorts names as ListMailFiles does.
void SortFileNames(QStringList& ANames, const QLocale& ALocale = QLocale());

}  // namespace kavio::rename
