#pragma once
// The source folder's rules that need no window: counting a folder's files for the watcher,
// the folder a drop from the file manager names, and where the folder-browse dialog starts.

#include <QList>
#include <QString>
#include <QUrl>

namespace kavio::app {

// The number of regular files directly in AFolder whose names match AMask ("*.*" takes every
// name), hidden ones (names starting with ".") included; folders, symbolic links and other
// special files are not counted. An empty folder text or a folder that does not exist or cannot
// be read gives 0.
int CountFilesInFolder(const QString& AFolder, const QString& AMask);

// The folder text for a drop of AUrls: the first item only; a file gives the folder that holds
// it; one trailing "/" is removed, except from the root "/". Empty when the first item is no
// local path.
QString DroppedFolder(const QList<QUrl>& AUrls);

// Where the browse dialog opens: AText, else ALastChosen (the folder last confirmed in the
// dialog), else the root; the root also when that folder does not exist.
QString BrowseStartFolder(const QString& AText, const QString& ALastChosen);

}  // namespace kavio::app
