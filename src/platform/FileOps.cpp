#include "platform/FileOps.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kavio::platform {

namespace {

// Retries a call interrupted by a signal.
template <typename F>
int Retry(F AFunction) {
  int rc;
  do {
    rc = AFunction();
  } while (rc < 0 && errno == EINTR);
  return rc;
}

}  // namespace

bool IsPlainFileName(const QString& AName) {
  return !AName.isEmpty() && AName != QLatin1String(".") && AName != QLatin1String("..") &&
         !AName.contains(QLatin1Char('/')) && !AName.contains(QChar(u'\0'));
}

int RenameByLink(const QString& AOldPath, const QString& ANewPath) {
  const QByteArray oldPath = QFile::encodeName(AOldPath);
  const QByteArray newPath = QFile::encodeName(ANewPath);
  if (Retry([&] { return ::linkat(AT_FDCWD, oldPath.constData(), AT_FDCWD, newPath.constData(), 0); }) != 0) {
    const int error = errno;
    // A file system without hard links cannot rename without a chance of replacing.
    return error == EPERM || error == EOPNOTSUPP ? ENOTSUP : error;
  }
  if (::unlinkat(AT_FDCWD, oldPath.constData(), 0) != 0) {
    const int error = errno;
    ::unlinkat(AT_FDCWD, newPath.constData(), 0);  // back to one name
    return error;
  }
  return 0;
}

int RenameNoReplace(const QString& AOldPath, const QString& ANewPath) {
  const QByteArray oldPath = QFile::encodeName(AOldPath);
  const QByteArray newPath = QFile::encodeName(ANewPath);
  if (Retry([&] {
        return ::renameat2(AT_FDCWD, oldPath.constData(), AT_FDCWD, newPath.constData(), RENAME_NOREPLACE);
      }) == 0)
    return 0;
  const int error = errno;
  // EINVAL: the file system does not know the flag (the names are plain names of one folder).
  if (error == EINVAL || error == ENOSYS) return RenameByLink(AOldPath, ANewPath);
  return error;
}

int SetLastWriteTime(const QString& APath, const QDateTime& AInstant) {
  if (!AInstant.isValid()) return EINVAL;
  const int fd = Retry([&] {
    return ::open(QFile::encodeName(APath).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  });
  if (fd < 0) return errno;
  int error = 0;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    error = errno;
  } else if (!S_ISREG(st.st_mode)) {
    error = EINVAL;
  } else if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    error = ReadOnlyFileError;
  } else if (Retry([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) != 0 && errno == EWOULDBLOCK) {
    error = EWOULDBLOCK;  // another program holds the file
  } else {
    const qint64 ms = AInstant.toMSecsSinceEpoch();
    qint64 seconds = ms / 1000;
    qint64 rest = ms % 1000;
    if (rest < 0) {
      rest += 1000;
      --seconds;
    }
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(seconds);
    times[1].tv_nsec = static_cast<long>(rest * 1'000'000);
    if (::futimens(fd, times) != 0) error = errno;
  }
  ::close(fd);  // also drops the lock
  return error;
}

QString ErrorText(int AErrno) { return QString::fromLocal8Bit(std::strerror(AErrno)); }

}  // namespace kavio::platform
