#include "extract/TFormViewMail.h"
#include "msgfile/OxMessage.h"
#include "platform/MimeHeader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>

namespace kavio::extract {

namespace {

// The whole file; false on any error.
bool ReadWholeFile(const QString& AFileName, QByteArray& AData) {
  const int fd = ::open(QFile::encodeName(AFileName).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok) {
    AData.resize(static_cast<qsizetype>(info.st_size));
    qsizetype done = 0;
    while (ok && done < AData.size()) {
      const ssize_t got = ::read(fd, AData.data() + done, static_cast<size_t>(AData.size() - done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        ok = got == 0;
        break;
      }
      done += got;
    }
    AData.truncate(done);  // a file that shrank while it was read
  }
  ::close(fd);
  return ok;
}

// A header value must not hold line breaks or U+0000 (a stored terminator, say).
QString HeaderText(QString AText) {
  AText.remove(QChar(0));
  AText.replace(QLatin1String("\r\n"), QLatin1String(" "));
  AText.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return AText.trimmed();
}

}  // namespace

bool TFormViewMail::GetMsgData_OxMsg(const QString& AFileName, QByteArray& AStream) {
  try {
    QByteArray data;
    if (!ReadWholeFile(AFileName, data)) return false;
    msgfile::TOxMSGFile message;
    message.LoadFromBytes(data);
    const QString subject = HeaderText(message.GetSubject());
    const QDateTime instant = message.GetMessageInstant();
    const QString name = HeaderText(message.GetSenderDisplayName());
    const QString address = HeaderText(message.GetSenderInternetAddress());
    AStream = platform::GenerateHeaderBlock(subject, instant, name, address);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace kavio::extract
