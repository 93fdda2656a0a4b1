#include "platform/FileTimes.h"

#include <QFile>
#include <sys/stat.h>

namespace kavio::platform {

QDateTime LastWriteTime(const QString& APath) {
  struct stat st {};
  if (::stat(QFile::encodeName(APath).constData(), &st) != 0) return {};
  return QDateTime::fromMSecsSinceEpoch(
      static_cast<qint64>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1'000'000, Qt::UTC);
}

}  // namespace kavio::platform
