#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>

namespace kavio::test {

QString TestData(const QString& ASub) { return QStringLiteral(KAVIO_TEST_DATA "/") + ASub; }
QString Samples(const QString& ASub) { return QStringLiteral(KAVIO_SAMPLES "/") + ASub; }

QString WriteFile(const QString& AFolder, const QString& AName, const QByteArray& AContent) {
  const QString path = AFolder + QLatin1Char('/') + AName;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write test file");
  file.write(AContent);
  return path;
}

void SetMTime(const QString& APath, const QDateTime& AInstant) {
  const qint64 ms = AInstant.toMSecsSinceEpoch();
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(ms / 1000);
  times[1].tv_nsec = static_cast<long>((ms % 1000) * 1'000'000);
  if (::utimensat(AT_FDCWD, QFile::encodeName(APath).constData(), times, AT_SYMLINK_NOFOLLOW) != 0)
    throw std::runtime_error("cannot set file time");
}

TScopedTimeZone::TScopedTimeZone(const char* AZone) {
  const char* old = std::getenv("TZ");
  FHadOld = old != nullptr;
  if (old) FOld = old;
  ::setenv("TZ", AZone, 1);
  ::tzset();
}

TScopedTimeZone::~TScopedTimeZone() {
  if (FHadOld)
    ::setenv("TZ", FOld.constData(), 1);
  else
    ::unsetenv("TZ");
  ::tzset();
}

QStringList TRecordingReporter::Texts(const QString& AKind) const {
  QStringList texts;
  for (const auto& entry : FEntries)
    if (entry.Kind == AKind) texts.append(entry.Text);
  return texts;
}

}  // namespace kavio::test
