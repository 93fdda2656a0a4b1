#include "app/SourceFolder.h"

#include "rename/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <QFile>
#include <QFileInfo>

namespace kavio::app {

int CountFilesInFolder(const QString& AFolder, const QString& AMask) {
  if (AFolder.isEmpty()) return 0;
  DIR* dir = ::opendir(QFile::encodeName(AFolder).constData());
  if (!dir) return 0;
  const int dirFd = ::dirfd(dir);
  int count = 0;
  while (const dirent* entry = ::readdir(dir)) {
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      regular = ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
    }
    if (regular && rename::MatchesMask(QFile::decodeName(entry->d_name), AMask)) ++count;
  }
  ::closedir(dir);
  return count;
}

QString DroppedFolder(const QList<QUrl>& AUrls) {
  if (AUrls.isEmpty() || !AUrls.first().isLocalFile()) return QString();
  QString path = AUrls.first().toLocalFile();
  const QFileInfo info(path);
  // Anything that exists and is no folder stands for the folder that holds it.
  if (info.exists() && !info.isDir()) path = info.path();
  if (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

QString BrowseStartFolder(const QString& AText, const QString& ALastChosen) {
  const QString root = QStringLiteral("/");
  const QString start = !AText.isEmpty() ? AText : !ALastChosen.isEmpty() ? ALastChosen : root;
  return QFileInfo(start).isDir() ? start : root;
}

}  // namespace kavio::app
