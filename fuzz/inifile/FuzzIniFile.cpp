// The INI parser on arbitrary bytes: what it writes must read back to the same store, and
// writing that again must give the same bytes.

#include "platform/IniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using kavio::platform::TIniFile;
  TIniFile ini;
  ini.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const QByteArray once = ini.ToBytes();
  TIniFile again;
  again.LoadFromBytes(once);
  if (again.ToBytes() != once) std::abort();
  if (again.Sections().size() != ini.Sections().size()) std::abort();
  for (const QString& section : ini.Sections())
    for (const QString& key : ini.ReadSection(section))
      if (again.ReadString(section, key) != ini.ReadString(section, key)) std::abort();
  // A written value reads back as written, trimmed and on one line.
  ini.WriteString(QStringLiteral("FormMain"), QStringLiteral("JvDirectoryEditSrc_Text"), QString::fromUtf8(once.left(40)));
  TIniFile third;
  third.LoadFromBytes(ini.ToBytes());
  QString expected = QString::fromUtf8(once.left(40));
  expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (third.ReadString(QStringLiteral("formmain"), QStringLiteral("jvdirectoryeditsrc_text")) != expected.trimmed())
    std::abort();
  return 0;
}
