// The ".msg" reader on arbitrary bytes: a load either succeeds or raises TMsgError, and the
// getters answer afterwards in both cases without raising.

#include "msgfile/MsgError.h"
#include "msgfile/OxMessage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kavio::msgfile;
  static const bool once = [] {
    ::setenv("TZ", "Europe/Berlin", 1);
    return true;
  }();
  (void)once;
  TOxMSGFile message;
  TMemoryStream stream(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  try {
    message.LoadFromStream(stream);
  } catch (const TMsgError&) {
  }
  const QString subject = message.GetSubject();
  const double date = message.GetMessageDate();
  const QString name = message.GetSenderName();
  const QString address = message.GetSenderAddress();
  const QDateTime instant = message.GetMessageInstant();
  const QString plain = message.GetSenderInternetAddress();
  // A date without an instant would be a fault of the conversion.
  if (date != 0.0 && !instant.isValid()) std::abort();
  if (!address.isEmpty() && !name.contains(address)) std::abort();
  (void)subject;
  (void)plain;
  return 0;
}
