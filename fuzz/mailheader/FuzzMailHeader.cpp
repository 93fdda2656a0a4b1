// Header parsing and the file-name scheme on arbitrary bytes: the header block is parsed, the
// scheme run on its results, and the generated form written and parsed back.

#include "platform/MimeHeader.h"
#include "rename/FileNameScheme.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kavio;
  static const bool once = [] {
    ::setenv("TZ", "Europe/Berlin", 1);
    return true;
  }();
  (void)once;
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  platform::TIdMessage message;
  message.LoadHeaders(input);
  const QString pre = message.Date().isValid() ? rename::CreatePreString(message.Date().toLocalTime().date()) : QString();
  const QString from = rename::CreateAbsenderString(message.From());
  const QString name = rename::CreateNewFileName(QString::fromUtf8(input.left(64)), pre, true, from, true);
  if (!name.endsWith(QString::fromUtf8(input.left(64)).remove(pre).remove(from))) std::abort();

  // The generated form must give back what was set.
  const QByteArray block =
      platform::GenerateHeaderBlock(message.Subject(), message.Date(), message.From().Name, message.From().Address);
  platform::TIdMessage again;
  again.LoadHeaders(block);
  if (again.Date() != message.Date()) std::abort();
  if (again.Subject() != message.Subject()) std::abort();
  // GMime folds white space in display names; everything else must come back as it was.
  if (again.From().Name.simplified() != message.From().Name.simplified()) std::abort();
  if (again.From().Address != message.From().Address) std::abort();
  return 0;
}
