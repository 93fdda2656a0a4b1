#include "components/VersionInfo.h"

namespace kavio::components {

QString GetHexWord(std::uint16_t AValue) {
  static const char digits[] = "0123456789ABCDEF";
  QString result(4, QLatin1Char('0'));
  for (int i = 3; i >= 0; --i) {
    result[i] = QLatin1Char(digits[AValue & 0xF]);
    AValue = static_cast<std::uint16_t>(AValue >> 4);
  }
  return result;
}

QString GetHexLong(std::uint32_t AValue) {
  return GetHexWord(static_cast<std::uint16_t>(AValue & 0xFFFF)) + GetHexWord(static_cast<std::uint16_t>(AValue >> 16));
}

TVersionBlock GetVersionInfo() {
  TVersionBlock block;
  TVersionBlock::TTable table;
  table.Translation = 0x04E40407u;  // German, Windows-1252
  table.Strings.append({QStringLiteral("FileVersion"), QStringLiteral(KAVIO_FILE_VERSION)});
  block.Tables.append(table);
  return block;
}

QString GetVersionInfoSection(const TVersionBlock& ABlock, const QString& ASection) {
  if (ABlock.Tables.isEmpty()) return {};
  // Only the first translation is consulted, also when another one has the entry.
  const auto& first = ABlock.Tables.first();
  const QString key = GetHexLong(first.Translation);
  for (const auto& table : ABlock.Tables) {
    if (GetHexLong(table.Translation) != key) continue;
    for (const auto& entry : table.Strings)
      if (entry.Key == ASection) return entry.Value;
    break;
  }
  return {};
}

}  // namespace kavio::components
