#pragma once
// An INI file held in memory whole and written back whole.
//
// Sections and keys are matched without regard to case; blanks around keys and values are
// ignored on reading. Comment lines (";"), lines without "=", unknown sections and keys stay as
// they were. A key already in the file keeps its place; a new key goes to the end of its section,
// a new section to the end of the file. Every section is followed by one empty line; entries are
// written "key=value".
//
// Encoding: a file is read in the encoding its byte-order mark names, else as UTF-8 when it is
// valid UTF-8, else as Windows-1252, and written back in that encoding (with its mark) unless a
// value cannot be represented in it, then as UTF-8. New files are UTF-8 without mark. Line ends
// are kept as read (CR LF or LF); new files get LF.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace kavio::platform {

class TIniFile {
 public:
  enum class TEncoding { Utf8, Utf8Bom, Utf16LeBom, Utf16BeBom, Windows1252 };

  TIniFile() = default;
  // Reads the file when it exists; a missing or unreadable file gives an empty store.
  explicit TIniFile(const QString& AFileName);

  const QString& FileName() const { return FFileName; }

  void LoadFromBytes(const QByteArray& AData);
  QByteArray ToBytes() const;
  // Writes the whole file atomically (a temporary file renamed into place), creating the folder
  // when missing. False when it cannot be written; the old file is then unchanged.
  bool UpdateFile() const;

  bool SectionExists(const QString& ASection) const;
  bool ValueExists(const QString& ASection, const QString& AKey) const;
  // The value of the first entry of that key, trimmed; nothing when there is none.
  std::optional<QString> Value(const QString& ASection, const QString& AKey) const;
  QString ReadString(const QString& ASection, const QString& AKey, const QString& ADefault = {}) const;
  // The keys of a section in file order.
  QStringList ReadSection(const QString& ASection) const;
  QStringList Sections() const;

  void WriteString(const QString& ASection, const QString& AKey, const QString& AValue);
  void WriteInteger(const QString& ASection, const QString& AKey, long long AValue);
  // "TRUE" or "FALSE".
  void WriteBool(const QString& ASection, const QString& AKey, bool AValue);
  void DeleteKey(const QString& ASection, const QString& AKey);
  void EraseSection(const QString& ASection);

  TEncoding Encoding() const { return FEncoding; }

 private:
  struct TLine {
    QString Text;     // the line as read, for lines that are not entries
    QString Key;      // empty for lines that are not entries
    QString Value;
    bool IsEntry = false;
  };
  struct TSection {
    QString Name;
    QList<TLine> Lines;
  };

  TSection* FindSection(const QString& AName);
  const TSection* FindSection(const QString& AName) const;
  static bool SameName(const QString& A, const QString& B);

  QString FFileName;
  QList<TLine> FPreamble;  // lines before the first section
  QList<TSection> FSections;
  TEncoding FEncoding = TEncoding::Utf8;
  bool FCrLf = false;
};

// Booleans as the settings file reads them: "TRUE", "YES", "Y" true, "FALSE", "NO", "N" false
// (without regard to case), an empty value false, else a decimal integer, 0 false and every other
// number true. Nothing for any other text.
std::optional<bool> ParseIniBool(const QString& AValue);

// A decimal integer, with a minus sign when negative, blanks around it allowed.
std::optional<long long> ParseIniInteger(const QString& AValue);

}  // namespace kavio::platform
