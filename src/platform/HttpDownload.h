#pragma once
// Blocking HTTP downloads into files, with libcurl, that never hang and never leave a partial file.

#include <QString>

namespace kavio::platform {

struct THttpLimits {
  long ConnectTimeoutMs = 15'000;  // connecting, name lookup included
  long TotalTimeoutMs = 120'000;   // the whole transfer
  qint64 MaxBytes = 64 * 1024;     // the body; a larger one fails the download
};

struct THttpResult {
  bool Ok = false;
  long Status = 0;  // the HTTP status, 0 when none was received
  QString Error;    // what went wrong, for the log of a failed download
};

// Downloads AUrl into APath. The body goes to a temporary file beside APath, which takes the name
// APath (replacing a file of that name) only when the transfer is complete, the status is 2xx and
// the body is within the limit; otherwise nothing is left behind and APath is untouched.
// No cache: "Cache-Control: no-cache" is sent.
THttpResult DownloadToFile(const QString& AUrl, const QString& APath, const THttpLimits& ALimits = {});

}  // namespace kavio::platform
