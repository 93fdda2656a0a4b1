#include "platform/HttpDownload.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <curl/curl.h>
#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace kavio::platform {

namespace {

struct TSink {
  QFile* File;
  qint64 Written = 0;
  qint64 MaxBytes;
  bool TooLarge = false;
  bool WriteFailed = false;
};

// Counts the body here: libcurl does not enforce its own size limit without a Content-Length.
size_t WriteBody(char* AData, size_t ASize, size_t ACount, void* ASink) {
  auto* sink = static_cast<TSink*>(ASink);
  const size_t bytes = ASize * ACount;
  if (sink->Written + static_cast<qint64>(bytes) > sink->MaxBytes) {
    sink->TooLarge = true;
    return 0;  // ends the transfer with CURLE_WRITE_ERROR
  }
  if (sink->File->write(AData, static_cast<qint64>(bytes)) != static_cast<qint64>(bytes)) {
    sink->WriteFailed = true;
    return 0;
  }
  sink->Written += static_cast<qint64>(bytes);
  return bytes;
}

}  // namespace

THttpResult DownloadToFile(const QString& AUrl, const QString& APath, const THttpLimits& ALimits) {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  THttpResult result;
  QTemporaryFile part(QFileInfo(APath).absolutePath() + QLatin1String("/.") + QFileInfo(APath).fileName() +
                      QLatin1String(".part-XXXXXX"));
  if (!part.open()) {
    result.Error = QStringLiteral("cannot create a file beside ") + APath;
    return result;
  }
  CURL* curl = curl_easy_init();
  if (!curl) {
    result.Error = QStringLiteral("libcurl did not start");
    return result;
  }
  TSink sink{&part, 0, ALimits.MaxBytes};
  const QByteArray url = AUrl.toUtf8();
  curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  char errorText[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl, CURLOPT_URL, url.constData());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, ALimits.ConnectTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, ALimits.TotalTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(ALimits.MaxBytes));
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Kavio/" KAVIO_FILE_VERSION);
  const CURLcode code = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.Status);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);

  if (sink.TooLarge || code == CURLE_FILESIZE_EXCEEDED) {
    result.Error = QStringLiteral("the file is larger than %1 bytes").arg(ALimits.MaxBytes);
  } else if (sink.WriteFailed) {
    result.Error = QStringLiteral("cannot write ") + APath;
  } else if (code != CURLE_OK) {
    result.Error = QString::fromUtf8(*errorText ? errorText : curl_easy_strerror(code));
  } else if (result.Status < 200 || result.Status > 299) {
    result.Error = QStringLiteral("HTTP status %1").arg(result.Status);
  } else if (!part.flush() || ::fsync(part.handle()) != 0) {
    result.Error = QStringLiteral("cannot write ") + APath;
  } else {
    // Complete: the temporary file takes its final name, in one step.
    part.close();
    if (::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(APath).constData()) == 0) {
      part.setAutoRemove(false);
      result.Ok = true;
    } else {
      result.Error = QStringLiteral("cannot rename the download to ") + APath;
    }
  }
  return result;
}

}  // namespace kavio::platform
