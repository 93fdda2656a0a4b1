#pragma once
// The program's version information. Linux executables carry no version resource: the
// "FileVersion" the build compiles in stands in for it, under the program's one translation,
// German (0x0407) with code page 1252 (0x04E4).

#include <QList>
#include <QString>
#include <cstdint>

namespace kavio::components {

// Four upper-case hexadecimal digits, most significant first: 0x04E4 gives "04E4".
QString GetHexWord(std::uint16_t AValue);
// GetHexWord of the low 16 bits, then GetHexWord of the high 16 bits: a translation entry with
// language 0x0407 in the low half and code page 0x04E4 in the high half gives "040704E4".
QString GetHexLong(std::uint32_t AValue);

// The program's version data: its translation entries and the string table of each.
struct TVersionBlock {
  struct TEntry {
    QString Key;
    QString Value;
  };
  struct TTable {
    std::uint32_t Translation = 0;  // language in the low half, code page in the high half
    QList<TEntry> Strings;
  };
  QList<TTable> Tables;
};

// The running program's version data (the compiled-in constants).
TVersionBlock GetVersionInfo();

// The value of a string-table entry under the block's first translation; empty when there is no
// translation or no such entry.
QString GetVersionInfoSection(const TVersionBlock& ABlock, const QString& ASection);

}  // namespace kavio::components
