#include "extract/TFormViewMail.h"

#include "platform/DateTime.h"
#include "platform/MimeHeader.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kavio::extract {

namespace {

// Reads from the descriptor until the header block is complete (an empty line), the file
// ends, or the cap is reached. False on a read error.
bool ReadHeaderBlock(int AFd, QByteArray& AStream) {
  constexpr qsizetype ChunkSize = 4096;
  qsizetype searchFrom = 0;
  while (AStream.size() < MaxHeaderBlockBytes) {
    const qsizetype old = AStream.size();
    const qsizetype want = std::min(ChunkSize, MaxHeaderBlockBytes - old);
    AStream.resize(old + want);
    ssize_t got;
    do {
      got = ::read(AFd, AStream.data() + old, static_cast<size_t>(want));
    } while (got < 0 && errno == EINTR);
    if (got < 0) return false;
    AStream.resize(old + got);
    if (got == 0) return true;
    // An empty line is "\n\n" or "\n\r\n"; also at the very start of the data.
    if (old == 0 && (AStream.startsWith('\n') || AStream.startsWith("\r\n"))) {
      AStream.truncate(AStream.startsWith('\n') ? 1 : 2);
      return true;
    }
    for (qsizetype i = std::max<qsizetype>(searchFrom, 0); i < AStream.size(); ++i) {
      i = AStream.indexOf('\n', i);
      if (i < 0) break;
      qsizetype next = i + 1;
      if (next < AStream.size() && AStream[next] == '\r') ++next;
      if (next < AStream.size() && AStream[next] == '\n') {
        AStream.truncate(next + 1);
        return true;
      }
    }
    // A line end at the very end of the chunk may be followed by the empty line in the next one.
    searchFrom = std::max<qsizetype>(AStream.size() - 2, 0);
  }
  return true;
}

}  // namespace

bool TFormViewMail::GetEmlData(const QString& AFileName, QByteArray& AStream) {
  AStream.clear();
  const int fd = ::open(QFile::encodeName(AFileName).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ReadHeaderBlock(fd, AStream);
  ::close(fd);
  return ok;
}

bool TFormViewMail::ConnectOutLook() {
  platform::TAutomationRef connection;
  try {
    connection = platform::GetActiveObject(OutlookProgId);
  } catch (const platform::TAutomationError&) {
    try {
      connection = platform::CreateOleObject(OutlookProgId);
    } catch (const platform::TAutomationError&) {
    }
  }
  if (!connection) {
    if (FReporter) FReporter->Error(QStringLiteral("Es konnte keine Verbindung zu Outlook hergestellt werden-"));
    return false;
  }
  Outlook_OV = std::move(connection);
  return true;
}

void TFormViewMail::DisConnectOutlook() {}

bool TFormViewMail::GetMsgData_OutLook(const QString& AFileName, QByteArray& AStream) {
  try {
    if (!Outlook_OV) return false;
    QVariantList args{AFileName};
    const QVariant itemValue = Outlook_OV->CallMethod(QStringLiteral("CreateItemFromTemplate"), args);
    const auto item = itemValue.value<platform::TAutomationRef>();
    if (!item) return false;
    const QString subject = item->GetProperty(QStringLiteral("Subject")).toString();
    const QString address = item->GetProperty(QStringLiteral("SenderEmailAddress")).toString();
    const QString name = item->GetProperty(QStringLiteral("SenderName")).toString();
    const QVariant received = item->GetProperty(QStringLiteral("ReceivedTime"));
    QDateTime instant;
    if (received.metaType().id() == QMetaType::QDateTime) {
      instant = received.toDateTime().toUTC();
    } else if (!received.isNull()) {
      bool ok = false;
      const double dayCount = received.toDouble(&ok);
      if (!ok) return false;
      instant = platform::DateTimeToInstant(dayCount);
    }
    AStream = platform::GenerateHeaderBlock(subject, instant, name, address);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace kavio::extract
